// A tiny window for uiauto's own tests: buttons, a list box, a status text,
// message boxes of each icon kind, a handle whose closing can be watched,
// and the user's number format.
//   uiauto_fixture.exe [close-handle]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int kShowBox = 10;   // each press shows the next icon kind
constexpr int kDisabled = 11;
constexpr int kList = 20;
constexpr int kStatus = 30;
constexpr int kHandle = 31;    // the value of an event handle, "0x..."
constexpr int kNumber = 32;    // "<decimal separator> <1.5 as the user's number format>"
constexpr int kExitCode = 7;

HANDLE g_event = nullptr;
bool g_closeEvent = false;
int g_presses = 0;

void OnShowBox(HWND window) {
    const UINT icons[] = {MB_ICONINFORMATION, MB_ICONEXCLAMATION, MB_ICONSTOP, MB_ICONQUESTION};
    const UINT icon = icons[g_presses++ % 4];
    const int answer = MessageBoxA(window, "Box text", "Box caption", MB_YESNOCANCEL | icon);
    char status[32];
    std::snprintf(status, sizeof status, "answer %d", answer);
    SetDlgItemTextA(window, kStatus, status);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kShowBox) OnShowBox(window);
        if (LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (g_closeEvent) CloseHandle(g_event);
        PostQuitMessage(kExitCode);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND Child(HWND parent, const char *cls, const char *text, DWORD style, int x, int y, int id) {
    return CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | style, x, y, 120, 24, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    g_closeEvent = std::strstr(commandLine, "close-handle") != nullptr;
    g_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "UIAUTOFIXTURE";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("UIAUTOFIXTURE", "uiauto fixture", WS_OVERLAPPEDWINDOW, 10, 10, 300, 220, nullptr,
                                nullptr, instance, nullptr);
    Child(window, "BUTTON", "&Show box", WS_TABSTOP, 10, 10, kShowBox);
    EnableWindow(Child(window, "BUTTON", "Disabled", WS_TABSTOP, 140, 10, kDisabled), FALSE);
    HWND list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_HASSTRINGS, 10, 40, 120, 80,
                              window, reinterpret_cast<HMENU>(kList), instance, nullptr);
    for (const char *line : {"alpha", "beta", "gamma"}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    Child(window, "STATIC", "ready", 0, 140, 40, kStatus);
    char handle[32];
    std::snprintf(handle, sizeof handle, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(g_event)));
    Child(window, "STATIC", handle, 0, 140, 70, kHandle);
    char separator[8] = "?", number[32] = "?", shown[48];
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1.5", nullptr, number, sizeof number);
    std::snprintf(shown, sizeof shown, "%s %s", separator, number);
    Child(window, "STATIC", shown, 0, 140, 100, kNumber);
    ShowWindow(window, showCommand);

    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
