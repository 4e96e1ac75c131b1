#include "StoreNames.h"

namespace cfg {

static_assert(kNewCardState == MIRVO_DETECT_NEW_CARD, "the library's new-card state");

std::string CardKeyPath(int slot) {
    return std::string(MIRVO_SERVICE_KEY) + "\\" + std::to_string(slot);
}

}  // namespace cfg
