// The driver service "Mirvo", seen through the Service Control Manager: it
// must exist, it is started when it does not run, and "Load config" restarts
// it so that it reads the configuration again.
#pragma once

namespace cfg {

// Opens the manager (SystemError when that fails) and the service
// (FatalError "Mirvo driver is not installed" when that fails).
void OpenDriverService();

// Starts the service unless it runs. When the start fails, warns once and
// disables "Load config" and "Find new cards" for good. SystemError when the
// status cannot be queried.
bool EnsureDriverRunning();

// "Load config": stop, make it run again, reread the list and the status.
void RestartDriver();

// Whether the last check found the driver running or started it.
bool DriverRunning();

// Closes the service handle, then the manager's.
void CloseDriverService();

}  // namespace cfg
