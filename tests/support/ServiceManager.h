// The service manager for a test, and the driver's service "Mirvo" in it:
// the one helper every test of the service uses. Every test program waits
// for the prefix's service manager before its first case
// (tests/harness/guard), so a case finds it listening.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "UniqueHandle.h"

namespace testsvc {

kit::ServiceHandle OpenServiceManager(DWORD access = SC_MANAGER_ALL_ACCESS);

// The service "Mirvo" opened for `access`; empty when it cannot be (the
// last error says why).
kit::ServiceHandle OpenMirvoService(DWORD access);

// Creates "Mirvo" as a demand-start kernel driver service for `imagePath`
// (one that is there already is fine). "" or what failed.
std::string CreateMirvoService(const std::string &imagePath);

// Its current state (SERVICE_RUNNING, ...); none when it cannot be asked.
std::optional<DWORD> MirvoServiceState();

}  // namespace testsvc
