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

}  // namespace mirvo
