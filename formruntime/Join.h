// Joining string values, as a form's code builds a caption. Pure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace formrt {

// The parts left to right with `separator` between neighbours; nothing
// before the first or after the last; "" for no parts.
std::string Join(const std::vector<std::string> &parts, std::string_view separator);

}  // namespace formrt
