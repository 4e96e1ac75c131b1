#include "CheckResult.h"

#include "FailureText.h"
#include "LibraryMessage.h"

namespace mirvo_dw32 {

bool CheckResult(HWND window, const char *operation, LONG result) {
    if (result != 0) return true;
    // First, before any other call can change it.
    const DWORD code = GetLastError();
    MessageBoxA(window, FailureText(operation, code, LibraryMessage(code)).c_str(), "Error",
                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

}  // namespace mirvo_dw32
