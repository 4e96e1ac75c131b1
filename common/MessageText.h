// The text of a message table entry (the system's, or a module's) for a code,
// and the text rules that every program shapes such texts with; each program
// picks its length and language.
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

// `text` without its trailing line end and blanks: a report is one line.
std::string TrimLineEnd(std::string text);

// The message of a failed platform call: "Win32 Error.  Code: <code>." with
// the code in signed decimal and, on the next line, the system's text for it;
// "A Win32 API function failed" for code 0.
std::string PlatformErrorMessage(DWORD code, const std::string &systemText);

// For a code that has no system text: "Unknown error FF" (the code in
// hexadecimal, upper-case digits unless told otherwise, no leading zeros).
enum class HexDigits { Upper, Lower };
std::string UnknownErrorText(DWORD code, HexDigits digits = HexDigits::Upper);

}  // namespace kit
