// What a test case could leave behind on the machine of its Wine prefix: the
// registry where programs and services keep their settings, the system and
// drivers folders, the drive's top folder, and the services that run. Taken before and after each
// case of a program whose cases share one process (and so one prefix).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace harness {

constexpr const char kFolderStamp[] = "folder";

struct MachineState {
    // Key path -> the number of its values and its last write time.
    std::map<std::string, std::string> keys;
    // File path -> size and last write time; a folder of the drive's top
    // folder -> kFolderStamp.
    std::map<std::string, std::string> files;
    // Names of the services that run.
    std::map<std::string, std::string> services;
    // Whether the service manager answered (a case may end it).
    bool serviceManagerAnswers = true;
};

MachineState TakeMachineState();

// Which parts of the look changed: each registry tree (in the look's order),
// and the folders.
struct Changes {
    std::vector<bool> trees;
    bool folders = false;
    bool Any() const {
        for (bool tree : trees)
            if (tree) return true;
        return folders;
    }
};

// The look again where `changes` says, the rest as in `previous` (the folders
// and the running services are cheap: they are always looked at again).
MachineState TakeMachineState(const MachineState &previous, const Changes &changes);

// A key of the look by its path ("HKLM\\SOFTWARE\\X"): its root key and the
// path below it; nullptr for a path of no root the look knows.
HKEY RootOfPath(const std::string &path, std::string &below);

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
    Changes Changed();

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
