// The configuration entries: detecting a card at an address, and the setup
// dialog that stores a card's address in its slot.
#pragma once

#include <windows.h>

namespace mirvo {

LONG Detect(DWORD address, DWORD *state);
LONG Setup(HWND owner, LPCSTR cardName, LONG mode);

}  // namespace mirvo
