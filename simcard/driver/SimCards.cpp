#include "SimCards.h"

#include "../include/KvtCardRules.h"
#include "../include/KvtSimIoctl.h"
#include "KernelRegistry.h"
#include "Signal.h"

namespace mirvosys {

namespace {
void CopyName(wchar_t (&to)[32], const wchar_t *from) {
    ULONG i = 0;
    for (; from[i] && i + 1 < 32; ++i) to[i] = from[i];
    to[i] = 0;
}

bool OpenSlot(const wchar_t *serviceKey, ULONG slot, KeyHandle *key) {
    wchar_t name[3];
    kvtcard::SlotKeyName(int(slot), name);
    WideText<256> path;
    path.Add(serviceKey).Add(L"\\").Add(name);
    return path.Ok() && key->Open(path.Get(), KEY_ALL_ACCESS);
}
}  // namespace

void LoadSimCards(SimCardList *list) {
    RtlZeroMemory(list, sizeof *list);
    KeyHandle cards;
    if (!cards.Open(L"\\Registry\\Machine\\" KVTSIM_WIDE(KVTSIM_REG_CARDS))) {
        CopyName(list->cards[0].name, KVTSIM_WIDE(KVTSIM_DEFAULT_CARD));
        list->cards[0].address = DefaultCardAddress(list->cards[0].name);
        list->count = 1;
        return;
    }
    wchar_t name[64];
    for (ULONG index = 0; list->count < kvtcard::kMaxCards && SubkeyName(cards, index, name, 64); ++index) {
        if (!kvtcard::IsCardName(name)) continue;
        SimCard &card = list->cards[list->count++];
        CopyName(card.name, name);
        WideText<128> path;
        path.Add(L"\\Registry\\Machine\\").Add(KVTSIM_WIDE(KVTSIM_REG_CARDS)).Add(L"\\").Add(name);
        KeyHandle key;
        ULONG address = 0;
        card.address = key.Open(path.Get()) && ReadDword(key, KVTSIM_WIDE(KVTSIM_VAL_ADDRESS), &address)
                           ? address
                           : DefaultCardAddress(name);
    }
}

const SimCard *CardAt(const SimCardList &list, ULONG address) {
    for (ULONG i = 0; i < list.count; ++i)
        if (list.cards[i].address == address) return &list.cards[i];
    return nullptr;
}

void RateSlots(const SimCardList &cards, Slot (&slots)[kvtcard::kMaxCards]) {
    for (ULONG i = 0; i < kvtcard::kMaxCards; ++i) {
        if (!slots[i].used) continue;
        bool shared = false;
        for (ULONG j = 0; j < kvtcard::kMaxCards; ++j)
            shared |= j != i && slots[j].used && slots[i].address &&
                      slots[j].address == slots[i].address;
        if (shared) slots[i].state = SlotConflict;
        else if (CardAt(cards, slots[i].address)) slots[i].state = SlotOk;
        else slots[i].state = SlotCardNotFound;
    }
}

void ConfigureSlots(const wchar_t *serviceKey, const SimCardList &cards, Slot (&slots)[kvtcard::kMaxCards]) {
    for (ULONG slot = 0; slot < kvtcard::kMaxCards; ++slot) {
        KeyHandle key;
        slots[slot].used = OpenSlot(serviceKey, slot, &key);
        slots[slot].address = 0;
        slots[slot].state = 0;
        if (slots[slot].used) ReadDword(key, KVTSIM_WIDE(KVTSIM_VAL_ADDRESS), &slots[slot].address);
    }
    RateSlots(cards, slots);
    for (ULONG slot = 0; slot < kvtcard::kMaxCards; ++slot) {
        KeyHandle key;
        if (slots[slot].used && OpenSlot(serviceKey, slot, &key))
            WriteDword(key, KVTSIM_WIDE(KVTSIM_VAL_CONFIG_STATE), slots[slot].state);
    }
}

bool AddressConfigured(const wchar_t *serviceKey, ULONG address) {
    for (ULONG slot = 0; slot < kvtcard::kMaxCards; ++slot) {
        KeyHandle key;
        ULONG slotAddress = 0;
        if (OpenSlot(serviceKey, slot, &key) &&
            ReadDword(key, KVTSIM_WIDE(KVTSIM_VAL_ADDRESS), &slotAddress) && slotAddress == address)
            return true;
    }
    return false;
}

}  // namespace mirvosys
