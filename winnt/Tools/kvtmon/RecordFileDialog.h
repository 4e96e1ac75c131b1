// The Save dialog that asks where Record writes.
#pragma once

#include <windows.h>

#include <string>

namespace kvtmon {

// The file the person chose (a replaced file confirmed), or "" when cancelled.
std::string AskRecordFile(HWND owner);

}  // namespace kvtmon
