// The window of a program on the bare platform: a dialog template that names
// a window class of the program's own, and the loop that runs it.
#pragma once

#include <windows.h>

#include <optional>

namespace kit {

// The exit code of a program whose message loop failed (GetMessage gave -1),
// as the dialog framework and the form runtime end on a run-time failure.
constexpr int kExitLoopFailed = 3;

// Registers `className` for a window made from a dialog template: the dialog
// manager's extra bytes, the menu colour behind it, the arrow cursor and the
// icon resource `iconName` in both sizes. Zero when it cannot be registered.
ATOM RegisterTemplateWindowClass(HINSTANCE instance, const char *className, WNDPROC windowProc,
                                 const char *iconName);

// Runs the message loop of `dialog` until the quit message; the dialog
// manager turns Tab, Esc and Enter into the window's own commands. The quit
// message's code, or nothing when GetMessage failed: the window is then
// destroyed, so that its own clean-up runs, and no stale code is passed on.
std::optional<WPARAM> RunTemplateWindow(HWND dialog);

}  // namespace kit
