// Card handles, device paths and typed addresses: pure rules, no Win32
// calls. What a card name is: KvtCardRules.h.
#pragma once

#include <windows.h>

#include <string>

namespace mirvo {

// "\\.\KVT1" for "KVT1".
std::string DevicePath(const char *cardName);

// The 32-bit card handle for a platform handle; false when the handle's
// value does not survive the trip through 32 bits.
bool CardFromHandle(HANDLE handle, LONG *card);
inline HANDLE HandleFromCard(LONG card) { return reinterpret_cast<HANDLE>(LONG_PTR(card)); }

// A card address as the setup dialog shows it: upper-case hexadecimal, no
// prefix ("3A0").
std::string AddressText(DWORD address);

// What a user typed as an address: hexadecimal, an optional 0x, blanks
// around it; 1 to 8 digits.
bool ParseAddressText(const std::string &text, DWORD *address);

}  // namespace mirvo
