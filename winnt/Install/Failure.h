// The installer's failures: each carries the text that the run's catch
// writes after "Could not install: ".
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "MessageText.h"

namespace installation {

class InstallFailure : public std::runtime_error {
public:
    explicit InstallFailure(const std::string &message) : std::runtime_error(message) {}
};

// The message of a failed platform call (kit::PlatformErrorMessage):
// "Win32 Error.  Code: <code>." and, on the next line, the system's text.
using kit::PlatformErrorMessage;

// The failure for the calling thread's last-error code.
InstallFailure PlatformError();

// The failure for memory that cannot be had (a list too large to hold):
// the platform's own message for ERROR_NOT_ENOUGH_MEMORY.
InstallFailure OutOfMemory();

}  // namespace installation
