// The application main: networking up, the data folder current, the settings read, the
// update check, the poller, the main panel, the window placed; then the frame loop until
// the program is told to quit, and everything down again in order.
#pragma once

int applicationMain(int argc, char** argv);
