#include "WindowProc.h"

#include "DetectionSearch.h"
#include "DriverService.h"
#include "MirvoPriv.h"
#include "StoreRegistry.h"
#include "WindowCardList.h"
#include "WindowState.h"
#include "resource.h"

namespace cfg {

namespace {

void OnDeleteCard() {
    std::optional<int> slot = GetSelectedSlot();
    if (!slot) return;
    DeleteCardKey(*slot);
    RefreshCardLine(*slot);
    MarkConfigChanged();
}

void OnEditCard(HWND window) {
    std::optional<int> slot = GetSelectedSlot();
    if (!slot) return;
    bool wasConfigured = IsCardConfigured(*slot);
    if (!wasConfigured) CreateCardKey(*slot, 0);
    bool accepted = MirvoSetup(window, CardName(*slot).c_str(), -1) != 0;
    if (!accepted && !wasConfigured) DeleteCardKey(*slot);
    if (accepted) {
        ClearCardState(*slot);
        MarkConfigChanged();
    }
    RefreshCardLine(*slot);
}

void OnCommand(HWND window, int id) {
    switch (id) {
    case IDC_EXIT: SendMessageA(window, WM_CLOSE, 0, 0); break;
    case IDC_DELETE_CARD: OnDeleteCard(); break;
    case IDC_EDIT_CARD: OnEditCard(window); break;
    case IDC_LOAD_CONFIG: RestartDriver(); break;
    case IDC_FIND_CARDS: FindNewCards(); break;
    default: break;
    }
}

void OnActivate(HWND window) {
    if (!TheWindow().firstActivation) return;
    SetFocus(GetDlgItem(window, IDC_CARD_LIST));
    TheWindow().firstActivation = false;
}

// Whether the window may close: always when the configuration is loaded,
// otherwise only when the user insists.
bool OnClose(HWND window) {
    if (IsConfigLoaded()) return true;
    return MessageBoxA(window, "Configuration is not loaded. Are you sure you want to exit?",
                       "Stern advice", MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) == IDOK;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_ACTIVATE: OnActivate(window); return 0;
    case WM_CLOSE:
        if (!OnClose(window)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK ConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // An error must not unwind through the system's frames: it is kept, the
    // loop ends, and the program body reports it.
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        if (!TheWindow().pendingError) TheWindow().pendingError = std::current_exception();
        PostQuitMessage(0);
        return 0;
    }
}

}  // namespace cfg
