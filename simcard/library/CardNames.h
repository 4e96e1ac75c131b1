// Card handles and device names: pure rules, no Win32 calls.
#pragma once

#include <windows.h>

#include <string>

namespace mirvo {

// 1..31 letters and digits: anything else could name a path, not a card.
bool IsCardName(const char *name);

// "\\.\KVT1" for "KVT1".
std::string DevicePath(const char *cardName);

// The 32-bit card handle for a platform handle; false when the handle's
// value does not survive the trip through 32 bits.
bool CardFromHandle(HANDLE handle, LONG *card);
inline HANDLE HandleFromCard(LONG card) { return reinterpret_cast<HANDLE>(LONG_PTR(card)); }

// The candidate card addresses, MIRVO_MAX_CARDS of them; 0 out of range.
DWORD CandidateAddress(LONG index);

// The slot of a card name: "KVT1" is slot 0, "KVT32" slot 31; false for
// anything else.
bool SlotOfCardName(const char *name, int *slot);

// A card address as the setup dialog shows it: upper-case hexadecimal, no
// prefix ("3A0").
std::string AddressText(DWORD address);

// What a user typed as an address: hexadecimal, an optional 0x, blanks
// around it; 1 to 8 digits.
bool ParseAddressText(const std::string &text, DWORD *address);

}  // namespace mirvo
