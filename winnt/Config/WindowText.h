// Texts that the configuration window shows: card list lines, the status
// line and the error boxes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "StoreNames.h"

namespace cfg {

// "KVT1\t at 0x000003A0 (OK)" for a used slot, "KVT2\t [not used]" for a free one.
std::string FormatCardLineText(int slot, const CardRecord &card);

// The status template with its "%s" replaced by "not" (not loaded) or by
// nothing (loaded); "%%" gives "%", any other '%' stays as it is, so a
// template can never make the formatting read what is not there.
std::string FormatConfigStatus(const std::string &statusTemplate, bool loaded);

// "Win32 Error.  Code: %d.\n%s", or "A Win32 API function failed" for code 0.
std::string SystemErrorMessage(DWORD code, const std::string &systemText);

// The "Application Error" box's text: what kind of error, in which module and
// at which code address, then the error's own message.
std::string UnexpectedErrorText(const std::string &kind, const std::string &module,
                                std::uintptr_t offset, const std::string &message);

// The system's message text without the line break it ends with.
std::string TrimSystemText(std::string text);

}  // namespace cfg
