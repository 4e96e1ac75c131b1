#include "StoreErrorText.h"

#include "MessageText.h"

namespace cfg {

std::string RegistryErrorText(DWORD code, const std::optional<std::string> &systemText) {
    if (systemText && !systemText->empty()) return systemText->substr(0, RegistryErrorTextMax);
    return kit::UnknownErrorText(code);
}

}  // namespace cfg
