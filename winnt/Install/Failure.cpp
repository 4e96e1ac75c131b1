#include "Failure.h"

#include <cstdio>

#include "SystemText.h"

namespace installation {

std::string PlatformErrorMessage(DWORD code, const std::string &systemText) {
    if (code == 0) return "A Win32 API function failed";
    char head[48];
    std::snprintf(head, sizeof head, "Win32 Error.  Code: %d.", static_cast<int>(code));
    return std::string(head) + "\n" + systemText;
}

InstallFailure PlatformError() {
    const DWORD code = GetLastError();
    return InstallFailure(PlatformErrorMessage(code, code == 0 ? std::string() : SystemErrorText(code)));
}

InstallFailure OutOfMemory() {
    return InstallFailure(PlatformErrorMessage(ERROR_NOT_ENOUGH_MEMORY, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)));
}

}  // namespace installation
