#include "FailureText.h"

#include <cstdio>

namespace mirvo_dw32 {

std::string FailureText(const char *operation, std::uint32_t code, const std::string &message) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08lX", static_cast<unsigned long>(code));
    return std::string(operation) + " failed. code = 0x" + digits + " Msg = " + message;
}

}  // namespace mirvo_dw32
