#include "WindowText.h"

#include <cstdio>

namespace cfg {

std::string UnexpectedErrorText(const std::string &kind, const std::string &module,
                                std::uintptr_t offset, const std::string &message) {
    char where[64];
    std::snprintf(where, sizeof where, " at offset 0x%08llX.\n\n",
                  static_cast<unsigned long long>(offset));
    return kind + " in module " + module + where + message;
}

}  // namespace cfg
