#include "CardText.h"

#include <cstdio>

namespace cfg {

std::string CardName(int slot) { return "KVT" + std::to_string(slot + 1); }

std::string CardStateText(std::uint32_t code) {
    switch (code) {
    case 1: return "OK";
    case 2: return "Resource conflict";
    case 3: return "Card not found";
    case kNewCardState: return "New card";
    default: return "Unknown";
    }
}

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

}  // namespace cfg
