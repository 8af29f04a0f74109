// What a column would show of a status with the current settings, as one comparable text:
// two statuses with the same text draw the same picture, so the panel need not rebuild.
// The ping counts only while its row is shown, the player times only while their column is;
// a list whose names are all hidden counts only by its length.
#pragma once

#include "query/ServerStatus.h"

#include <string>

namespace ShownStatus {

std::string of(const ServerStatus& status);

} // namespace ShownStatus
