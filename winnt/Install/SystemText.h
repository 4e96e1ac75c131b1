// The system's texts for platform error codes, shaped for the console.
#pragma once

#include <windows.h>

#include <string>

namespace installation {

// The room the installer gives a system text: 127 characters for a console
// report, 255 for a text inside a failure message.
constexpr std::string::size_type kReportTextLimit = 127;
constexpr std::string::size_type kMessageTextLimit = 255;

// `text` without its trailing control characters, blanks and full stops.
std::string TrimSystemText(const std::string &text);

// The line for a code that has no system text: "Unknown error FF".
std::string UnknownErrorLine(DWORD code);

// The console report for `code`: the system's text (at most 127 characters,
// its line break kept) or the unknown-error line. Console.h writes it.
std::string SystemErrorReport(DWORD code);

// The system's text for a failure message: at most 255 characters, trimmed.
std::string SystemErrorText(DWORD code);

}  // namespace installation
