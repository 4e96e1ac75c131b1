// What a test case could leave behind on the machine of its Wine prefix: the
// registry where programs and services keep their settings, the system and
// drivers folders, and the services that run. Taken before and after each
// case of a program whose cases share one process (and so one prefix).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace harness {

struct MachineState {
    // Key path -> the number of its values and its last write time.
    std::map<std::string, std::string> keys;
    // File path -> size and last write time.
    std::map<std::string, std::string> files;
    // Names of the services that run.
    std::map<std::string, std::string> services;
};

MachineState TakeMachineState();

// The running services only (cheap: one question to the service manager).
std::map<std::string, std::string> RunningServices();

// Signalled when anything changes where TakeMachineState looks (a value or
// key anywhere in its registry trees, a file in the Windows folder or below
// it), so that the whole look is needed only after such a change. Armed
// again by Rearm(); Changed() says whether it fired since.
class ChangeWatch {
public:
    ChangeWatch();
    ~ChangeWatch();
    ChangeWatch(const ChangeWatch &) = delete;
    ChangeWatch &operator=(const ChangeWatch &) = delete;

    void Rearm();
    bool Changed();

private:
    std::vector<void *> keys_;    // HKEY
    std::vector<void *> events_;  // HANDLE, one per key
    void *folder_ = nullptr;      // HANDLE of FindFirstChangeNotification
    bool folderFired_ = false;
};

// What differs, one line each ("added key HKLM\SOFTWARE\X", ...), at most
// `limit` lines and then how many more.
std::vector<std::string> Differences(const MachineState &before, const MachineState &after, size_t limit = 10);

}  // namespace harness
