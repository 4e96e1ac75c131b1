#include "TemplateWindow.h"

namespace kit {

ATOM RegisterTemplateWindowClass(HINSTANCE instance, const char *className, WNDPROC windowProc,
                                 const char *iconName) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;  // a window made from a dialog template needs them
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, iconName);
    windowClass.hIconSm = LoadIconA(instance, iconName);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass);
}

std::optional<WPARAM> RunTemplateWindow(HWND dialog) {
    MSG message = {};
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (got == 0) return message.wParam;
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return std::nullopt;
}

}  // namespace kit
