#include "UiAuto.h"

namespace uiauto {

namespace {

struct ChildSearch {
    const char *caption;
    const char *className;
    int skip;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
    auto &search = *reinterpret_cast<ChildSearch *>(param);
    if (search.className && ClassOf(child) != search.className) return TRUE;
    if (search.caption && TextOf(child) != search.caption) return TRUE;
    if (search.skip-- > 0) return TRUE;
    search.found = child;
    return FALSE;
}

HWND FindChild(HWND parent, const char *caption, const char *className, int index) {
    if (!parent || !IsWindow(parent)) return nullptr;
    ChildSearch search = {caption, className, index, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HICON Icon(HWND window, WPARAM kind, DWORD timeoutMs) {
    DWORD_PTR icon = 0;
    if (!SendMessageTimeoutA(window, WM_GETICON, kind, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &icon))
        return nullptr;
    return reinterpret_cast<HICON>(icon);
}

}  // namespace

HWND FindControl(HWND parent, const char *caption, const char *className) {
    return FindChild(parent, caption, className, 0);
}

HWND FindControlOfClass(HWND parent, const char *className, int index) {
    return FindChild(parent, nullptr, className, index);
}

RECT ClientRect(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

RECT ControlRect(HWND control) {
    RECT rect = {};
    if (!GetWindowRect(control, &rect)) return rect;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

WindowIcons IconsOf(HWND window, DWORD timeoutMs) {
    WindowIcons icons;
    icons.big = Icon(window, ICON_BIG, timeoutMs);
    icons.small = Icon(window, ICON_SMALL, timeoutMs);
    icons.classBig = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
    icons.classSmall = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    return icons;
}

}  // namespace uiauto
