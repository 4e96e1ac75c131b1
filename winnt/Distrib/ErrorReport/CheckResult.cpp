#include "CheckResult.h"

#include <cstring>

#include "FailureText.h"
#include "mirvo.h"

namespace mirvo_dw32 {

bool CheckResult(HWND window, const char *operation, LONG result) {
    if (result != 0) return true;
    // First, before any other call can change it.
    const DWORD code = GetLastError();

    char text[MIRVO_ERROR_TEXT_SIZE];
    std::string message = "none";
    if (MirvoGetErrorMsg(code, text, sizeof text)) {
        // The library may fill all 256 bytes and leave no zero.
        const void *end = std::memchr(text, '\0', sizeof text);
        message.assign(text, end ? static_cast<const char *>(end) - text : sizeof text);
    }
    MessageBoxA(window, FailureText(operation, code, message).c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

}  // namespace mirvo_dw32
