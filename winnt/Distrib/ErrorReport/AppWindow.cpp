#include "AppWindow.h"

#include "CheckResult.h"
#include "TemplateWindow.h"
#include "TemporaryCaption.h"
#include "WeightText.h"
#include "mirvo.h"
#include "resource.h"

namespace mirvo_dw32 {

namespace {

LONG g_card = MIRVO_INVALID_CARD;

void ShowInformation(HWND window, const char *text) {
    MessageBoxA(window, text, "Information", MB_OK | MB_ICONINFORMATION);
}

void OnExit(HWND window) {
    // The default handling of WM_CLOSE destroys the window.
    SendMessageA(window, WM_CLOSE, 0, 0);
}

void OnInit(HWND window) {
    // "Opening..." while the card initialises and while its box is up.
    TemporaryCaption opening(GetDlgItem(window, IDC_INIT), "Opening...");
    if (CheckResult(window, "Init", MirvoInit(g_card))) ShowInformation(window, "Initialised OK");
}

void OnFinish(HWND window) {
    if (CheckResult(window, "Finish", MirvoFinish(g_card))) ShowInformation(window, "Finished OK");
}

void OnRead(HWND window) {
    MIRVO_WEIGHTS4 weights;
    if (!CheckResult(window, "GetCurrentWeight", MirvoGetCurrentWeight4(g_card, &weights))) return;
    char line[kit::kWeightColumnsSize];
    kit::FormatWeightColumns(weights.Channel, line);
    SetWindowTextA(GetDlgItem(window, IDC_STATUS), line);
}

struct CommandHandler {
    int id;
    void (*handle)(HWND window);
};

constexpr CommandHandler kCommands[] = {
    {IDCANCEL, OnExit},
    {IDC_INIT, OnInit},
    {IDC_READ, OnRead},
    {IDC_FINISH, OnFinish},
};

// Any other command, IDOK from the Enter key included, is ignored.
void OnCommand(HWND window, int id) {
    for (const auto &command : kCommands) {
        if (command.id == id) {
            command.handle(window);
            return;
        }
    }
}

}  // namespace

ATOM RegisterAppClass(HINSTANCE instance) {
    return kit::RegisterTemplateWindowClass(instance, IDD_MIRVOAPP_NAME, AppWindowProc, IDI_MAINICON_NAME);
}

void SetAppCard(LONG card) { g_card = card; }

LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));  // the notification code is not looked at
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace mirvo_dw32
