#include "ReaderWindow.h"

#include "TemplateWindow.h"
#include "WeightText.h"
#include "mirvo.h"
#include "resource.h"

namespace mirvo_bc {

namespace {

LONG g_card = MIRVO_INVALID_CARD;

void ShowInformation(HWND window, const char *text) {
    MessageBoxA(window, text, "Information", MB_OK | MB_ICONINFORMATION);
}

void ShowError(HWND window, const char *text) { MessageBoxA(window, text, "Error", MB_OK | MB_ICONEXCLAMATION); }

void OnExit(HWND window) {
    // The default handling of WM_CLOSE destroys the window.
    SendMessageA(window, WM_CLOSE, 0, 0);
}

void OnInit(HWND window) {
    HWND status = GetDlgItem(window, IDC_STATUS);
    SetWindowTextA(status, "Initialising...");
    // The library call keeps the window from repainting until it returns.
    UpdateWindow(status);
    if (MirvoInit(g_card))
        ShowInformation(window, "Initialised OK");
    else
        ShowError(window, "Could not initialise");
    SetWindowTextA(status, "");
}

void OnFinish(HWND window) {
    if (MirvoFinish(g_card))
        ShowInformation(window, "Finished OK");
    else
        ShowError(window, "Could not Finish");
}

void OnRead(HWND window) {
    MIRVO_WEIGHTS4 weights;
    char line[kit::kWeightLineSize];
    kit::FormatWeightLine(MirvoGetCurrentWeight4(g_card, &weights) ? weights.Channel : nullptr, line);
    SetWindowTextA(GetDlgItem(window, IDC_STATUS), line);
}

// Any other command, in practice IDOK from the Enter key, ends the program
// while the window still exists.
void OnOtherCommand(HWND) { PostQuitMessage(0); }

struct CommandHandler {
    int id;
    void (*handle)(HWND window);
};

constexpr CommandHandler kCommands[] = {
    {IDCANCEL, OnExit},
    {IDC_INIT_CARD, OnInit},
    {IDC_FINISH_CARD, OnFinish},
    {IDC_READ_CARD, OnRead},
};

void OnCommand(HWND window, int id) {
    for (const auto &command : kCommands) {
        if (command.id == id) {
            command.handle(window);
            return;
        }
    }
    OnOtherCommand(window);
}

}  // namespace

ATOM RegisterReaderClass(HINSTANCE instance) {
    return kit::RegisterTemplateWindowClass(instance, IDD_MIRVOTEST_NAME, ReaderWindowProc, IDI_MAINICON_NAME);
}

void SetReaderCard(LONG card) { g_card = card; }

LRESULT CALLBACK ReaderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

}  // namespace mirvo_bc
