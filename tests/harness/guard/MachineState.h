// What a test case could leave behind on the machine of its Wine prefix: the
// registry where programs and services keep their settings, the system and
// drivers folders, the drive's top folder, and the services that run. Taken before and after each
// case of a program whose cases share one process (and so one prefix).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "UniqueHandle.h"

namespace harness {

constexpr const char kFolderStamp[] = "folder";

// A handle of FindFirstChangeNotification.
struct FindChangeTraits : kit::FileHandleTraits {
    static void Close(HANDLE handle) { FindCloseChangeNotification(handle); }
};

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

// Which parts of the look changed.
struct Changes {
    // Keys whose whole branch is to be looked at again.
    std::vector<std::string> branches;
    // Tops of registry trees whose values or keys right below them changed:
    // those are looked at again, and a key new there with its branch.
    std::vector<std::string> tops;
    bool folders = false;
    bool Any() const { return !branches.empty() || !tops.empty() || folders; }
};

// The look again where `changes` says, the rest as in `previous` (the folders
// and the running services are cheap: they are always looked at again).
MachineState TakeMachineState(const MachineState &previous, const Changes &changes);

// A key of the look by its path ("HKLM\\SOFTWARE\\X"): its root key and the
// path below it; nullptr for a path of no root the look knows.
HKEY RootOfPath(const std::string &path, std::string &below);

// Signalled when anything changes where TakeMachineState looks (a value or
// key anywhere in its registry trees, a file in the Windows folder or below
// it), so that the look is needed again only where something changed. Each
// tree is watched at its top (its values and the keys right below it) and in
// each key right below the top (all that is under it): a case that adds a key
// of its own to SOFTWARE costs a look at that key, not at the thousand keys
// that Windows keeps there. Armed again by Rearm(); Changed() says what fired
// since.
class ChangeWatch {
public:
    ChangeWatch();
    ChangeWatch(const ChangeWatch &) = delete;
    ChangeWatch &operator=(const ChangeWatch &) = delete;

    void Rearm();
    Changes Changed();

private:
    struct Watch {
        std::string path;
        bool top = false;
        kit::RegKey key;
        kit::KernelHandle event;
        bool reported = false;  // fired, and said so by Changed()
    };
    bool Add(const std::string &path, bool top);
    void WatchBranchesOf(const std::string &top);

    std::vector<Watch> watches_;
    kit::UniqueHandle<FindChangeTraits> folder_;
    bool folderReported_ = false;
};

// What differs, one line each ("added key HKLM\SOFTWARE\X", ...), at most
// `limit` lines and then how many more.
std::vector<std::string> Differences(const MachineState &before, const MachineState &after, size_t limit = 10);

}  // namespace harness
