#include "WindowText.h"

#include <cstdio>

namespace cfg {

std::string FormatCardLineText(int slot, const CardRecord &card) {
    std::string line = CardName(slot) + "\t";
    if (!card.configured) return line + " [not used]";
    char address[32];
    std::snprintf(address, sizeof address, " at 0x%.8lX (", static_cast<unsigned long>(card.address));
    return line + address + CardStateText(card.state) + ")";
}

std::string FormatConfigStatus(const std::string &statusTemplate, bool loaded) {
    const char *word = loaded ? "" : "not";
    std::string text;
    bool wordUsed = false;
    for (std::size_t i = 0; i < statusTemplate.size(); ++i) {
        char c = statusTemplate[i];
        char following = i + 1 < statusTemplate.size() ? statusTemplate[i + 1] : '\0';
        if (c == '%' && following == '%') {
            text += '%';
            ++i;
        } else if (c == '%' && following == 's' && !wordUsed) {
            text += word;
            wordUsed = true;
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

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
