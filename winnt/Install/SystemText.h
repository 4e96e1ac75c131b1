// The system's texts for platform error codes, shaped for the console.
#pragma once

#include <windows.h>

#include <string>

namespace installation {

// The room the installer gives a system text: 127 characters for a console
// report, 255 for a text inside a failure message.
constexpr std::string::size_type kReportTextLimit = 127;
constexpr std::string::size_type kMessageTextLimit = 255;

// The system's text for `code` in `language`, at most `limit` characters (a
// longer text is cut, not lost); "" when the system has none. Inserts such
// as "%1" are left as they stand: there is nothing to put in them.
std::string LookUpSystemText(DWORD code, DWORD language, std::string::size_type limit);

// `text` without its trailing control characters, blanks and full stops.
std::string TrimSystemText(const std::string &text);

// The line for a code that has no system text: "Unknown error FF".
std::string UnknownErrorLine(DWORD code);

}  // namespace installation
