// How the program answers a request from outside to end it (a signal, a closed console):
// within a second, wherever it is, never leaving a cut-off Settings.xml.
//
// During the start-up (the update check and its dialog) nothing is being written, and
// Settings.xml is only ever replaced by a whole file renamed into place: the process ends
// at once, taking an open dialog along. Once the panel is being set up, a request sets the
// event handler's quit flag and wakes the frame loop, which then ends as the close button
// ends it (the settings saved, the threads stopped). Either way the exit code is 0.
#pragma once

namespace Termination {

// From now on a request ends the process at once.
void endAtOnce();
// From now on a request ends the frame loop.
void endTheFrameLoop();

} // namespace Termination
