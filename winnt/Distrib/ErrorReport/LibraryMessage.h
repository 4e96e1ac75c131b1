// The card library's own text for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace mirvo_dw32 {

// MirvoGetErrorMsg's text for `code`, "none" when the library has none.
std::string LibraryMessage(DWORD code);

}  // namespace mirvo_dw32
