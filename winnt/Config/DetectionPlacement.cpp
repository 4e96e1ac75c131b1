#include "DetectionPlacement.h"

#include "StoreNames.h"

namespace cfg {

std::vector<CardPlacement> PlaceFoundCards(const std::vector<DWORD> &found,
                                           const std::function<bool(int slot)> &isConfigured,
                                           const std::function<void(const CardPlacement &)> &place) {
    std::vector<CardPlacement> placed;
    std::size_t next = 0;
    for (int slot = 0; slot < MIRVO_MAX_CARDS && next < found.size(); ++slot) {
        if (isConfigured(slot)) continue;
        placed.push_back({slot, found[next++]});
        if (place) place(placed.back());
    }
    return placed;
}

}  // namespace cfg
