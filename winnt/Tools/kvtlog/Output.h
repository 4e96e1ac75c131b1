// kvtlog's texts on standard error (its file: readings::LineWriter).
#pragma once

#include <windows.h>

#include <string>

namespace kvtlog {

// Standard error: each call writes one text with WriteFile; lines get CR LF.
void WriteError(const std::string &text);
void WriteErrorLine(const std::string &line);

// True when `handle` is a console screen buffer (not a file or a pipe).
bool IsConsole(HANDLE handle);

// The system's text for `code` (no line end), or "" when it has none.
std::string SystemText(DWORD code);

}  // namespace kvtlog
