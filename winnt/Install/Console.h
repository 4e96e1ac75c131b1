// Standard output, one whole line per write.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace installation {

// Standard output is gone: the run cannot tell anybody anything, so it ends
// abnormally. Deliberately not an InstallFailure, which the run's catch
// would try to write.
class OutputLost : public std::runtime_error {
public:
    OutputLost() : std::runtime_error("standard output cannot be written") {}
};

// Writes `text` and CR LF in one write; a line feed inside `text` that has no
// carriage return before it gets one, so every line ends with CR LF.
// Throws OutputLost when the write fails.
void WriteLine(const std::string &text);

// What WriteLine writes for `text` (without writing it).
std::string ConsoleLine(const std::string &text);

// Code 0: true, nothing written. Otherwise writes the code's report
// (SystemErrorReport; the system's text brings its own line break, so an
// empty line follows it) and gives false.
bool ReportSystemError(DWORD code);

}  // namespace installation
