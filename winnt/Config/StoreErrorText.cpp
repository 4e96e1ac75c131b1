#include "StoreErrorText.h"

#include <cstdio>

namespace cfg {

std::string RegistryErrorText(DWORD code, const std::optional<std::string> &systemText) {
    if (systemText && !systemText->empty()) return systemText->substr(0, RegistryErrorTextMax);
    char text[32];
    std::snprintf(text, sizeof text, "Unknown error %lX", static_cast<unsigned long>(code));
    return text;
}

}  // namespace cfg
