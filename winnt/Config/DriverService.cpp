#include "DriverService.h"

#include <windows.h>

#include "MirvoPriv.h"
#include "StoreRegistry.h"
#include "SystemError.h"

namespace cfg {

bool DriverService::Open() {
    manager_.reset(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager_) RaiseLastSystemError();
    service_.reset(OpenServiceA(manager_.get(), MIRVO_SERVICE_NAME,
                                SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP));
    if (!service_) {
        manager_.reset();
        return false;
    }
    return true;
}

bool DriverService::EnsureRunning(ConfigView &view) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service_.get(), &status)) RaiseLastSystemError();
    bool running = status.dwCurrentState == SERVICE_RUNNING ||
                   StartServiceA(service_.get(), 0, nullptr) != FALSE;
    if (!running) {
        view.ShowBox("Mirvo driver could not be started. Some features of the program will be disabled",
                     "Moderately severe error", MB_OK | MB_ICONEXCLAMATION);
        view.DisableDriverCommands();
    }
    running_ = running;
    return running;
}

void DriverService::Restart(ConfigView &view) {
    view.ShowBusyStatus("Restarting driver. Please wait...");
    SERVICE_STATUS status{};
    ControlService(service_.get(), SERVICE_CONTROL_STOP, &status);
    EnsureRunning(view);
    view.FillCardList();
    view.ShowConfigStatus(IsConfigLoaded());
}

}  // namespace cfg
