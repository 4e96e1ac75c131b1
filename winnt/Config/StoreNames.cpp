#include "StoreNames.h"

namespace cfg {

std::string CardName(int slot) { return "KVT" + std::to_string(slot + 1); }

std::string CardKeyPath(int slot) {
    return std::string(MIRVO_SERVICE_KEY) + "\\" + std::to_string(slot);
}

std::string CardStateText(DWORD code) {
    switch (code) {
    case 1: return "OK";
    case 2: return "Resource conflict";
    case 3: return "Card not found";
    case MIRVO_DETECT_NEW_CARD: return "New card";
    default: return "Unknown";
    }
}

}  // namespace cfg
