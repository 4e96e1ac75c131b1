// kvtmon: a live panel of a KVT card's four channels: open, initialise and
// read a card, see its weights with their minimum, maximum and mean, a chart
// of the last ten seconds, a zero of the panel's own, and record to a file.
#include <windows.h>

#include "PanelWindow.h"
#include "TemplateWindow.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!kvtmon::RegisterPanelClasses(instance)) return 1;
    HWND window = CreateDialogParamA(instance, IDD_KVTMON_NAME, nullptr, nullptr, 0);
    if (!window) return 1;
    if (!kvtmon::InitialisePanel(window)) {
        MessageBoxA(window, "The reading thread could not be started.", "kvtmon", MB_OK | MB_ICONSTOP);
        DestroyWindow(window);
        return 1;
    }
    ShowWindow(window, showCommand);
    // The first control of the Tab order has the focus, as in any dialog.
    SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetNextDlgTabItem(window, nullptr, FALSE)), TRUE);
    return kit::RunTemplateWindow(window) ? 0 : kit::kExitLoopFailed;
}
