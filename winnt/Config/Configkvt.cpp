// mirvocfg: keeps the 32 card slots of the KVT driver in the registry, finds
// new cards, lets the card library set them up and restarts the driver so
// that it loads the configuration.
#include <windows.h>

#include "ConfigWindow.h"
#include "DriverService.h"
#include "ErrorBoxes.h"
#include "StoreRegistry.h"
#include "TemplateWindow.h"
#include "WindowProc.h"
#include "resource.h"

namespace cfg {

namespace {

bool IsWindowsNT() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void RegisterConfigWindowClass(HINSTANCE instance) {
    // A failed registration shows as a dialog that cannot be created.
    kit::RegisterTemplateWindowClass(instance, "MIRVOCFG", ConfigWindowProc, IDI_MAINICON);
}

void ShowInitialView(ConfigWindow &view, HWND window) {
    view.Attach(window);
    view.driver().EnsureRunning(view);
    view.FillCardList();
    view.ShowConfigStatus(IsConfigLoaded());
}

// Ends at the quit message, or at once after the message whose handling
// raised an error: a command already queued must not run before the
// program body reports it.
void RunMessageLoop(HWND window, const ConfigWindow &view) {
    MSG message;
    while (!view.PendingError() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Only the dialog's own messages matter; the rest is dropped.
        IsDialogMessageA(window, &message);
    }
    // The quit message that the error posted must not end the error's own box.
    PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void RunConfigProgram(HINSTANCE instance, int showCommand, ConfigWindow &view) {
    if (!IsWindowsNT()) FatalError("This program requires Windows NT");
    if (!view.driver().Open()) FatalError(std::string(MIRVO_SERVICE_NAME) + " driver is not installed");
    BindConfigWindow(view);
    RegisterConfigWindowClass(instance);
    HWND window = CreateDialogParamA(instance, IDD_MIRVOCFG, nullptr, nullptr, 0);
    if (!window) return;
    ShowInitialView(view, window);
    ShowWindow(window, showCommand);
    RunMessageLoop(window, view);
    if (std::exception_ptr error = view.PendingError()) std::rethrow_exception(error);
}

}  // namespace

}  // namespace cfg

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Both outlive the error boxes below: the window still gets messages
    // while a box shows, and the service handles close last.
    cfg::DriverService driver;
    cfg::ConfigWindow view(driver);
    try {
        cfg::RunConfigProgram(instance, showCommand, view);
    } catch (const cfg::FatalExit &) {
        // FatalError has shown its box; the program ends quietly.
    } catch (const cfg::SystemError &error) {
        cfg::ShowUnexpectedError(error);
    } catch (const std::exception &error) {
        cfg::ShowUnexpectedError(error);
    }
    return 0;
}
