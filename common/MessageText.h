// The text of a message table entry (the system's, or a module's) for a code.
// Each program shapes it its own way (trimming, length, wording); this is
// only the look-up.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kit {

// The neutral language with the system's default sublanguage.
constexpr DWORD kSystemDefaultLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT);
// The platform's own choice of language.
constexpr DWORD kAnyLanguage = 0;

// The text for `code` in `language`, from the system's message table or from
// `module`'s when one is given; at most `limit` characters (a longer text is
// cut, never lost); none when there is no text. Inserts such as "%1" are
// left as they stand: there is nothing to put in them.
std::optional<std::string> MessageText(DWORD code, DWORD language,
                                       std::string::size_type limit = std::string::npos,
                                       HMODULE module = nullptr);

}  // namespace kit
