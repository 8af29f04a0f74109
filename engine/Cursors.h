// The two mouse pointers as 32x32 XPM pictures: 1 header line, 3 colour lines
// ("X" black, "." white, " " transparent), 32 rows, then the hot spot as "x,y".
#pragma once

namespace Engine {

extern const char* const arrowCursorXpm[];
extern const char* const handCursorXpm[];


} // namespace Engine
