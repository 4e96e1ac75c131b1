// The text of the "Error" box that a failed registry call shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace cfg {

// The box holds at most this many characters of the system's text, the
// room a 128-byte buffer leaves beside its terminating zero.
constexpr std::size_t RegistryErrorTextMax = 127;

// The system's text for `code` cut to RegistryErrorTextMax characters, or
// "Unknown error %X" when the system has none.
std::string RegistryErrorText(DWORD code, const std::optional<std::string> &systemText);

}  // namespace cfg
