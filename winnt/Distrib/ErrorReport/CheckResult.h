// Reporting a failed library call with the library's own error text.
#pragma once

#include <windows.h>

namespace mirvo_dw32 {

// True when `result` is nonzero. Otherwise reads the thread's last-error
// value at once, asks MirvoGetErrorMsg for its text ("none" when there is
// none), shows the failure in an "Error" box owned by `window`, and returns false.
bool CheckResult(HWND window, const char *operation, LONG result);

}  // namespace mirvo_dw32
