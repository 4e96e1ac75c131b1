#include "SystemError.h"

#include "MessageText.h"
#include "WindowText.h"

namespace cfg {

SystemError::SystemError(DWORD code, const void *codeAddress)
    : std::runtime_error(SystemErrorMessage(code, SystemMessageText(code))),
      code_(code),
      codeAddress_(codeAddress) {}

__attribute__((noinline)) void RaiseLastSystemError() {
    DWORD code = GetLastError();
    throw SystemError(code, __builtin_return_address(0));
}

std::string SystemMessageText(DWORD code) {
    return TrimSystemText(kit::MessageText(code, kit::kSystemDefaultLanguage).value_or(std::string()));
}

}  // namespace cfg
