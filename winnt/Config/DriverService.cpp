#include "DriverService.h"

#include <windows.h>

#include <string>

#include "Handles.h"
#include "StoreNames.h"
#include "StoreRegistry.h"
#include "WindowCardList.h"
#include "WindowErrors.h"
#include "WindowState.h"
#include "resource.h"

namespace cfg {

namespace {

struct DriverServiceState {
    ServiceHandle manager;
    ServiceHandle service;
    bool running = false;
};

DriverServiceState &Driver() {
    static DriverServiceState state;
    return state;
}

}  // namespace

void OpenDriverService() {
    DriverServiceState &driver = Driver();
    driver.manager = ServiceHandle(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!driver.manager) RaiseLastSystemError();
    driver.service = ServiceHandle(OpenServiceA(driver.manager.get(), DriverServiceName,
                                                SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP));
    if (!driver.service) {
        driver.manager.reset();
        FatalError(std::string(DriverServiceName) + " driver is not installed");
    }
}

bool EnsureDriverRunning() {
    DriverServiceState &driver = Driver();
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(driver.service.get(), &status)) RaiseLastSystemError();
    bool running = status.dwCurrentState == SERVICE_RUNNING ||
                   StartServiceA(driver.service.get(), 0, nullptr) != FALSE;
    if (!running) {
        HWND window = TheWindow().window;
        MessageBoxA(window,
                    "Mirvo driver could not be started. Some features of the program will be disabled",
                    "Moderately severe error", MB_OK | MB_ICONEXCLAMATION);
        EnableWindow(GetDlgItem(window, IDC_LOAD_CONFIG), FALSE);
        EnableWindow(GetDlgItem(window, IDC_FIND_CARDS), FALSE);
    }
    driver.running = running;
    return running;
}

void RestartDriver() {
    ShowBusyStatus("Restarting driver. Please wait...");
    SERVICE_STATUS status{};
    ControlService(Driver().service.get(), SERVICE_CONTROL_STOP, &status);
    EnsureDriverRunning();
    FillCardList();
    ShowConfigStatus(IsConfigLoaded());
}

bool DriverRunning() { return Driver().running; }

void CloseDriverService() {
    Driver().service.reset();
    Driver().manager.reset();
}

}  // namespace cfg
