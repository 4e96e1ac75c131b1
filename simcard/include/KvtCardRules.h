/*
 * KvtCardRules.h - where a KVT card may sit and what names its slots and
 * values have, for the simulated card's driver (wide strings), its library,
 * its script and its tool (narrow strings); what a card name is comes from
 * the kit's own CardName.h. Pure and header-only: no platform calls, no
 * allocation, so the kernel side can use it as well.
 */
#ifndef KVTCARDRULES_H
#define KVTCARDRULES_H

#include <stdint.h>

#include "../../winnt/include/CardName.h"

namespace kvtcard {

/* Card slots, and as many candidate addresses for a search. */
constexpr int kMaxCards = 32;

/* Where a card may be jumpered: every 16 bytes from 0x300 to 0x4F0. */
constexpr uint32_t kFirstCandidate = 0x300;
constexpr uint32_t kCandidateStep = 0x10;

/* The slot of a card name: "KVT1" is slot 0, "KVT32" slot 31; false for
 * anything else ("KVT0", "KVT01", "kvt1", "KVT33"). */
template <typename Char>
constexpr bool SlotOfCardName(const Char *name, int *slot) {
    if (!name || name[0] != Char('K') || name[1] != Char('V') || name[2] != Char('T')) return false;
    int number = 0;
    const Char *digit = name + 3;
    for (; *digit >= Char('0') && *digit <= Char('9') && number <= kMaxCards; ++digit)
        number = number * 10 + int(*digit - Char('0'));
    if (*digit || digit == name + 3 || name[3] == Char('0') || number < 1 || number > kMaxCards)
        return false;
    *slot = number - 1;
    return true;
}

/* The candidate card address of `index` (0..31), 0 for any other index. */
constexpr uint32_t CandidateAddress(long long index) {
    return index >= 0 && index < kMaxCards ? kFirstCandidate + kCandidateStep * uint32_t(index) : 0;
}

/* Decimal digits of 0..99 and a zero. */
template <typename Char>
constexpr void SmallDecimal(int value, Char (&text)[3]) {
    int i = 0;
    if (value >= 10) text[i++] = Char('0' + value / 10 % 10);
    text[i++] = Char('0' + value % 10);
    text[i] = 0;
}

/* The name of a slot's registry key below the driver's service key: the
 * slot number itself, "0".."31". */
template <typename Char>
constexpr void SlotKeyName(int slot, Char (&name)[3]) {
    SmallDecimal(slot, name);
}

/* The card name of a slot: "KVT1" for slot 0 ... "KVT32" for slot 31. */
template <typename Char>
constexpr void CardNameOfSlot(int slot, Char (&name)[6]) {
    Char number[3] = {};
    SmallDecimal(slot + 1, number);
    name[0] = Char('K');
    name[1] = Char('V');
    name[2] = Char('T');
    int i = 3;
    for (int j = 0; number[j]; ++j) name[i++] = number[j];
    name[i] = 0;
}

/* Eight upper-case hexadecimal digits of `value` and a zero: the name of a
 * scripted error text's registry value ("80000005"). */
template <typename Char>
constexpr void HexName(uint32_t value, Char (&name)[9]) {
    const char digits[] = "0123456789ABCDEF";
    for (int i = 7; i >= 0; --i) {
        name[i] = Char(digits[value & 0xF]);
        value >>= 4;
    }
    name[8] = 0;
}

}  // namespace kvtcard

#endif /* KVTCARDRULES_H */
