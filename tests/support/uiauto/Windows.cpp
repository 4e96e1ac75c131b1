#include "UiAuto.h"

#include <cstring>

namespace uiauto {

namespace {

struct TopWindowSearch {
    DWORD processId;
    const char *className;
    const char *caption;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
    auto &search = *reinterpret_cast<TopWindowSearch *>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
    if (search.className && ClassOf(window) != search.className) return TRUE;
    if (search.caption) {
        char caption[512] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strcmp(caption, search.caption) != 0) return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FindTopWindow(DWORD processId, const char *className, const char *caption, bool visibleOnly) {
    TopWindowSearch search = {processId, className, caption, visibleOnly, nullptr};
    EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(DWORD processId, const char *className, const char *caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(processId, className, caption)) != nullptr; }, timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs, bool orHidden) {
    return WaitUntil([&] { return !IsWindow(window) || (orHidden && !IsWindowVisible(window)); }, timeoutMs);
}

}  // namespace uiauto
