#include "Failure.h"

#include "SystemText.h"

namespace installation {

InstallFailure PlatformError() {
    const DWORD code = GetLastError();
    return InstallFailure(PlatformErrorMessage(code, code == 0 ? std::string() : SystemErrorText(code)));
}

InstallFailure OutOfMemory() {
    return InstallFailure(PlatformErrorMessage(ERROR_NOT_ENOUGH_MEMORY, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)));
}

}  // namespace installation
