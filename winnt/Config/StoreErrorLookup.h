// The message text for an error code, however long it is.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace cfg {

// The text for `code` from the system's message table (or from the message
// table of `module` when one is given), in the neutral language with the
// system's default sublanguage; none when there is no text.
std::optional<std::string> LookUpMessageText(DWORD code, HMODULE module = nullptr);

}  // namespace cfg
