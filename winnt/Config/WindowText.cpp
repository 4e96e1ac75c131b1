#include "WindowText.h"

#include <cstdio>

namespace cfg {

std::string SystemErrorMessage(DWORD code, const std::string &systemText) {
    if (code == 0) return "A Win32 API function failed";
    return "Win32 Error.  Code: " + std::to_string(static_cast<long>(static_cast<LONG>(code))) +
           ".\n" + systemText;
}

std::string UnexpectedErrorText(const std::string &kind, const std::string &module,
                                std::uintptr_t offset, const std::string &message) {
    char where[64];
    std::snprintf(where, sizeof where, " at offset 0x%08llX.\n\n",
                  static_cast<unsigned long long>(offset));
    return kind + " in module " + module + where + message;
}

std::string TrimSystemText(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

}  // namespace cfg
