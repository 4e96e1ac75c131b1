// The window procedure of class "MIRVOCFG" and the commands of its buttons.
#pragma once

#include <windows.h>

#include "ConfigWindow.h"

namespace cfg {

// The window object that the procedure serves. Bound before the window is
// created: the dialog is visible from its creation on and gets messages
// (its first activation among them) before CreateDialogParam returns.
void BindConfigWindow(ConfigWindow &window);

LRESULT CALLBACK ConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace cfg
