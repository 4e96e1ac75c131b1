// The system's message text for an error code, for reports that reach a person.
#pragma once

#include <windows.h>

#include <string>

namespace formrt {

// One line, without the trailing line end; "Unknown error <hex>" when the
// system has no text for the code.
std::string SystemText(DWORD code);

}  // namespace formrt
