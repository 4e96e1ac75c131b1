#include "Join.h"

namespace formrt {

std::string Join(const std::vector<std::string> &parts, std::string_view separator) {
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += separator;
        joined += parts[i];
    }
    return joined;
}

}  // namespace formrt
