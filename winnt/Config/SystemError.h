// The error that a platform or library call which must succeed raises; the
// store, detection, the driver service control and the window all use it.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace cfg {

// Carries the thread's last error code and where in the program the call
// was made.
class SystemError : public std::runtime_error {
public:
    SystemError(DWORD code, const void *codeAddress);
    DWORD code() const { return code_; }
    const void *codeAddress() const { return codeAddress_; }

private:
    DWORD code_;
    const void *codeAddress_;
};

// Raises SystemError with GetLastError(), at the caller's code address.
[[noreturn]] void RaiseLastSystemError();

// The system's text for a code ("" when it has none), without its line break.
std::string SystemMessageText(DWORD code);

}  // namespace cfg
