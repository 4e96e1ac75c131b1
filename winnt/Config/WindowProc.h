// The window procedure of class "MIRVOCFG" and the commands of its buttons.
#pragma once

#include <windows.h>

namespace cfg {

LRESULT CALLBACK ConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace cfg
