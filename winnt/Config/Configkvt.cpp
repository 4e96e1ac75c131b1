// mirvocfg: keeps the 32 card slots of the KVT driver in the registry, finds
// new cards, lets the card library set them up and restarts the driver so
// that it loads the configuration.
#include <windows.h>

#include "DriverService.h"
#include "StoreRegistry.h"
#include "WindowCardList.h"
#include "WindowErrors.h"
#include "WindowProc.h"
#include "WindowState.h"
#include "resource.h"

namespace cfg {

WindowState &TheWindow() {
    static WindowState state;
    return state;
}

namespace {

bool IsWindowsNT() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void RegisterConfigWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ConfigWindowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, IDI_MAINICON);
    windowClass.hIconSm = LoadIconA(instance, IDI_MAINICON);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    windowClass.lpszClassName = "MIRVOCFG";
    // A failed registration shows as a dialog that cannot be created.
    RegisterClassExA(&windowClass);
}

void ShowInitialView(HWND window) {
    EnsureDriverRunning();
    char statusTemplate[200] = "";
    GetDlgItemTextA(window, IDC_STATUS, statusTemplate, sizeof statusTemplate);
    TheWindow().statusTemplate = statusTemplate;
    FillCardList();
    ShowConfigStatus(IsConfigLoaded());
}

void RunMessageLoop(HWND window) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Only the dialog's own messages matter; the rest is dropped.
        IsDialogMessageA(window, &message);
    }
}

void RunConfigProgram(HINSTANCE instance, int showCommand) {
    if (!IsWindowsNT()) FatalError("This program requires Windows NT");
    OpenDriverService();
    RegisterConfigWindowClass(instance);
    HWND window = CreateDialogParamA(instance, IDD_MIRVOCFG, nullptr, nullptr, 0);
    if (!window) return;
    TheWindow().window = window;
    ShowInitialView(window);
    ShowWindow(window, showCommand);
    RunMessageLoop(window);
    if (std::exception_ptr error = TheWindow().pendingError) std::rethrow_exception(error);
}

}  // namespace

}  // namespace cfg

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        cfg::RunConfigProgram(instance, showCommand);
    } catch (const cfg::FatalExit &) {
        // FatalError has shown its box; the program ends quietly.
    } catch (const cfg::SystemError &error) {
        cfg::ShowUnexpectedError(error);
    } catch (const std::exception &error) {
        cfg::ShowUnexpectedError(error);
    }
    cfg::CloseDriverService();
    return 0;
}
