// Standard output, one whole line per write.
#pragma once

#include <string>

namespace installation {

// Writes `text` and CR LF in one write; a line feed inside `text` that has no
// carriage return before it gets one, so every line ends with CR LF.
// Throws OutputLost when the write fails.
void WriteLine(const std::string &text);

// What WriteLine writes for `text` (without writing it).
std::string ConsoleLine(const std::string &text);

}  // namespace installation
