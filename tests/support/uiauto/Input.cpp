#include "UiAuto.h"

#include <cctype>

namespace uiauto {

namespace {

// Where typed keys go: the focused control of the window's thread.
HWND KeyboardTarget(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread && GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
    return window;
}

LPARAM KeyParam(UINT virtualKey, bool release, bool alt) {
    LPARAM param = 1 | (static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16);
    if (alt) param |= 1L << 29;
    if (release) param |= (1L << 30) | (1L << 31);
    return param;
}

// A person can reach a control only when it and its top-level window are
// enabled: a modal box disables its owner.
bool CanReach(HWND control) {
    HWND top = GetAncestor(control, GA_ROOT);
    return IsWindowVisible(control) && IsWindowEnabled(control) && top && IsWindowEnabled(top);
}

}  // namespace

bool PressButton(HWND dialog, int id) { return PressControl(Control(dialog, id)); }

bool PressControl(HWND button) {
    if (!button || !CanReach(button)) return false;
    // To another thread the click goes as a sent message without a wait:
    // the program handles it before any later question sent to it (a
    // thread answers sent messages in order, and before posted ones), so
    // once a WM_NULL sent after it comes back, the click has been handled.
    // Posted, the click could still wait in the queue behind that answer.
    if (GetWindowThreadProcessId(button, nullptr) != GetCurrentThreadId())
        return SendNotifyMessageA(button, BM_CLICK, 0, 0) != FALSE;
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool PressKey(HWND window, UINT virtualKey) {
    if (!IsWindow(window) || !CanReach(window)) return false;
    HWND target = KeyboardTarget(window);
    return PostMessageA(target, WM_KEYDOWN, virtualKey, KeyParam(virtualKey, false, false)) &&
           PostMessageA(target, WM_KEYUP, virtualKey, KeyParam(virtualKey, true, false));
}

bool PressAltKey(HWND window, char letter) {
    if (!IsWindow(window) || !CanReach(window)) return false;
    HWND target = KeyboardTarget(window);
    UINT key = static_cast<UINT>(std::toupper(static_cast<unsigned char>(letter)));  // VK_A..VK_Z
    return PostMessageA(target, WM_SYSCHAR, static_cast<unsigned char>(letter), KeyParam(key, false, true)) != FALSE;
}

bool CloseFromSystemMenu(HWND window) {
    return IsWindow(window) && PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

}  // namespace uiauto
