// The text of the box that reports a failed library call.
#pragma once

#include <cstdint>
#include <string>

namespace mirvo_dw32 {

// "<operation> failed. code = 0x<8 upper-case hex digits> Msg = <message>".
std::string FailureText(const char *operation, std::uint32_t code, const std::string &message);

}  // namespace mirvo_dw32
