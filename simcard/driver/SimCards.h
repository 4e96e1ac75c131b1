// The simulated cards and the configured card slots, as the driver sees them
// when it starts: which card sits at which address, what each slot's state
// is, and which devices to make.
#pragma once

#include <ntddk.h>

#include "../include/KvtCardRules.h"

namespace mirvosys {

struct SimCard {
    wchar_t name[32];
    ULONG address;
};

struct SimCardList {
    ULONG count;
    SimCard cards[kvtcard::kMaxCards];
};

// KvtSim\Cards, or the one default card when that key is absent.
void LoadSimCards(SimCardList *list);

// The card at `address`, or null.
const SimCard *CardAt(const SimCardList &list, ULONG address);

// Card state codes the driver writes into the slots.
enum SlotState : ULONG { SlotOk = 1, SlotConflict = 2, SlotCardNotFound = 3 };

struct Slot {
    bool used;
    ULONG address;
    ULONG state;
};

// Reads slots "0".."31" under the service key, gives each used slot its state
// and writes it back as its "ConfigState".
void ConfigureSlots(const wchar_t *serviceKey, const SimCardList &cards, Slot (&slots)[kvtcard::kMaxCards]);

// Does any slot under the service key hold `address` now?
bool AddressConfigured(const wchar_t *serviceKey, ULONG address);

// The state of each slot, from the slots' addresses and the cards. Pure.
void RateSlots(const SimCardList &cards, Slot (&slots)[kvtcard::kMaxCards]);

}  // namespace mirvosys
