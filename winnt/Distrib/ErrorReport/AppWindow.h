// The reader's one window: its class, its window procedure and handlers.
#pragma once

#include <windows.h>

namespace mirvo_dw32 {

// Registers the window class that the dialog template names.
ATOM RegisterAppClass(HINSTANCE instance);

// The card that the buttons act on; set once, before the window exists.
void SetAppCard(LONG card);

LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace mirvo_dw32
