#include "WindowProc.h"

#include "DetectionSearch.h"
#include "MirvoPriv.h"
#include "StoreRegistry.h"
#include "resource.h"

namespace cfg {

namespace {

ConfigWindow *boundWindow = nullptr;

void OnDeleteCard(ConfigWindow &view) {
    std::optional<int> slot = view.GetSelectedSlot();
    if (!slot) return;
    DeleteCardKey(view, *slot);
    view.RefreshCardLine(*slot);
    MarkConfigChanged(view);
}

void OnEditCard(ConfigWindow &view, HWND window) {
    std::optional<int> slot = view.GetSelectedSlot();
    if (!slot) return;
    bool wasConfigured = IsCardConfigured(*slot);
    if (!wasConfigured) CreateCardKey(view, *slot, 0);
    bool accepted = MirvoSetup(window, CardName(*slot).c_str(), -1) != 0;
    if (!accepted && !wasConfigured) DeleteCardKey(view, *slot);
    if (accepted) {
        ClearCardState(*slot);
        MarkConfigChanged(view);
    }
    view.RefreshCardLine(*slot);
}

void OnCommand(ConfigWindow &view, HWND window, int id) {
    switch (id) {
    case IDC_EXIT: SendMessageA(window, WM_CLOSE, 0, 0); break;
    case IDC_DELETE_CARD: OnDeleteCard(view); break;
    case IDC_EDIT_CARD: OnEditCard(view, window); break;
    case IDC_LOAD_CONFIG: view.driver().Restart(view); break;
    case IDC_FIND_CARDS: FindNewCards(view); break;
    default: break;
    }
}

void OnActivate(ConfigWindow &view, HWND window) {
    if (!view.TakeFirstActivation()) return;
    SetFocus(GetDlgItem(window, IDC_CARD_LIST));
}

// Whether the window may close: always when the configuration is loaded,
// otherwise only when the user insists.
bool OnClose(HWND window) {
    if (IsConfigLoaded()) return true;
    return MessageBoxA(window, "Configuration is not loaded. Are you sure you want to exit?",
                       "Stern advice", MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) == IDOK;
}

LRESULT Dispatch(ConfigWindow &view, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_ACTIVATE: OnActivate(view, window); return 0;
    case WM_CLOSE:
        if (!OnClose(window)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND:
        // After an error nothing more runs: the loop is ending to report it.
        if (!view.PendingError()) OnCommand(view, window, LOWORD(wParam));
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void BindConfigWindow(ConfigWindow &window) { boundWindow = &window; }

LRESULT CALLBACK ConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!boundWindow) return DefWindowProcA(window, message, wParam, lParam);
    // An error must not unwind through the system's frames: it is kept, the
    // loop ends, and the program body reports it.
    try {
        return Dispatch(*boundWindow, window, message, wParam, lParam);
    } catch (...) {
        boundWindow->KeepError(std::current_exception());
        PostQuitMessage(0);
        return 0;
    }
}

}  // namespace cfg
