// The program's three ways of reporting what went wrong outside the registry:
// the fatal box before the window exists, the error that a must-succeed call
// raises, and the box that shows such an error.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace cfg {

// Raised by a platform or library call that must succeed; carries the
// thread's last error code and where in the program the call was made.
class SystemError : public std::runtime_error {
public:
    SystemError(DWORD code, const void *codeAddress);
    DWORD code() const { return code_; }
    const void *codeAddress() const { return codeAddress_; }

private:
    DWORD code_;
    const void *codeAddress_;
};

// Thrown by FatalError once its box is shown: the program body ends quietly.
struct FatalExit {};

// Raises SystemError with GetLastError(), at the caller's code address.
[[noreturn]] void RaiseLastSystemError();

// The system's text for a code ("" when it has none), without its line break.
std::string SystemMessageText(DWORD code);

// "Fatal Error" box with no owner; then the program ends with exit code 0.
[[noreturn]] void FatalError(const std::string &text);

// The task-modal "Application Error" box with no owner.
void ShowUnexpectedError(const SystemError &error);
void ShowUnexpectedError(const std::exception &error);

}  // namespace cfg
