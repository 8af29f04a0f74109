// libFuzzer target over the XML reader and writer (see XmlFuzzCheck.h for the input layout).
#include "tests/xml/fuzz/XmlFuzzCheck.h"

#include "os/MessageBox.h"

#include <cstdio>
#include <cstdlib>

// openFileOrExit is never called here; this stands in for the message box backend.
int os::messageBox(const std::string&, const std::string&, unsigned)
{
    return os::MessageBoxAnswerOk;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string problem = xml_fuzz::check(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
