// The Windows program. A shortcut or Explorer starts it in its own folder; it runs beside
// its data folder wherever it was started from (the zip keeps them together). It needs no
// arguments but reads the same options as the Linux program, so that a test or a user can
// point it at another server. Having no console, it tells its problems in message boxes.
#include "app/Startup.h"
#include "os/MessageBox.h"

int main(int argc, char** argv)
{
    return runProgram(argc, argv, [](const std::string& problem) {
        os::messageBox(problem, "HolmikZiviza", os::MessageBoxIconError);
    });
}
