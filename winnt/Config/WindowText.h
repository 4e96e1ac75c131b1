// Texts of the configuration window's error boxes (the card list lines and
// the status line are in CardText.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "CardText.h"
#include "MessageText.h"

namespace cfg {

// "Win32 Error.  Code: %d.\n%s", or "A Win32 API function failed" for code 0:
// the kit's one rule (MessageText.h).
inline std::string SystemErrorMessage(DWORD code, const std::string &systemText) {
    return kit::PlatformErrorMessage(code, systemText);
}

// The "Application Error" box's text: what kind of error, in which module and
// at which code address, then the error's own message.
std::string UnexpectedErrorText(const std::string &kind, const std::string &module,
                                std::uintptr_t offset, const std::string &message);

// The system's message text without the line break it ends with.
inline std::string TrimSystemText(std::string text) { return kit::TrimLineEnd(std::move(text)); }

}  // namespace cfg
