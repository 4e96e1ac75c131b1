// The driver service "Mirvo", seen through the Service Control Manager: it
// must exist, it is started when it does not run, and "Load config" restarts
// it so that it reads the configuration again.
#pragma once

#include "ConfigView.h"
#include "UniqueHandle.h"

namespace cfg {

class DriverService {
public:
    // Opens the manager (SystemError when that fails) and the service. False
    // when the service cannot be opened: the manager is closed again, and
    // the caller says that the driver is not installed.
    bool Open();

    // Starts the service unless it runs. When the start fails, warns once on
    // `view` and disables "Load config" and "Find new cards" for good.
    // SystemError when the status cannot be queried.
    bool EnsureRunning(ConfigView &view);

    // "Load config": stop, make it run again, reread the list and the status.
    void Restart(ConfigView &view);

    // Whether the last check found the driver running or started it.
    bool Running() const { return running_; }

private:
    // Declared in this order so that the service closes before the manager.
    kit::ServiceHandle manager_;
    kit::ServiceHandle service_;
    bool running_ = false;
};

}  // namespace cfg
