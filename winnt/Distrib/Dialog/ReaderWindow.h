// The reader's one window: its class, its window procedure and handlers.
#pragma once

#include <windows.h>

namespace mirvo_bc {

// Registers the window class that the dialog template names.
ATOM RegisterReaderClass(HINSTANCE instance);

// The card that the buttons act on; set once the card is open.
void SetReaderCard(LONG card);

LRESULT CALLBACK ReaderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace mirvo_bc
