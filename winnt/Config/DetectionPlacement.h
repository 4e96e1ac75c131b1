// Where the cards that a search found go: the lowest free slots, in the
// order the search found them.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace cfg {

struct CardPlacement {
    int slot;
    DWORD address;
};

// Walks the slots upward, asking `isConfigured` about each one only until
// every found address has a slot; addresses left over when the slots run
// out are dropped. `place` (when given) writes each card as soon as its slot
// is found free, before the next slot is asked about.
std::vector<CardPlacement> PlaceFoundCards(
    const std::vector<DWORD> &found, const std::function<bool(int slot)> &isConfigured,
    const std::function<void(const CardPlacement &)> &place = nullptr);

}  // namespace cfg
