// The panel's one window: a dialog template of the program's own class, its
// window procedure and the handlers of its buttons.
#pragma once

#include <windows.h>

namespace kvtmon {

// Registers the panel's class (the template names it) and the chart's.
bool RegisterPanelClasses(HINSTANCE instance);

// Sets the panel up once its window exists: the card list, the fonts, the
// chart and the reading thread. False when the thread cannot be made.
bool InitialisePanel(HWND window);

}  // namespace kvtmon
