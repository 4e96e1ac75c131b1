#include "MachineState.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace harness {

namespace {

struct RegistryTree {
    HKEY root;
    const char *rootName;
    const char *path;
};

// Where the kit, its installer and its tests keep settings and services.
// Left out: the class registrations (large, and nothing of the kit writes
// them) and the system parameters that Wine keeps for the session only (a
// window shown writes them).
const RegistryTree kTrees[] = {
    {HKEY_LOCAL_MACHINE, "HKLM", "SOFTWARE"},
    {HKEY_LOCAL_MACHINE, "HKLM", "SYSTEM\\CurrentControlSet\\Services"},
    {HKEY_CURRENT_USER, "HKCU", "Software"},
    {HKEY_CURRENT_USER, "HKCU", "Control Panel"},
};

bool IsLeftOut(const std::string &path) {
    return path == "HKLM\\SOFTWARE\\Classes" || path == "HKLM\\SOFTWARE\\Wow6432Node\\Classes" ||
           path == "HKCU\\Software\\Classes" || path == "HKCU\\Software\\Wine\\Temporary System Parameters";
}

// A key's values stand for themselves through its last write time and their
// count: a value written, even with the same data, moves the time. One
// question to the server per key, where reading every value took dozens.
std::string StampOf(HKEY key) {
    DWORD values = 0;
    FILETIME written = {};
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, &written))
        return "?";
    return std::to_string(values) + " " + std::to_string(written.dwHighDateTime) + " " +
           std::to_string(written.dwLowDateTime);
}

std::string PathOf(const RegistryTree &tree) { return std::string(tree.rootName) + "\\" + tree.path; }

void TakeKey(HKEY parent, const std::string &subkey, const std::string &path, MachineState &state) {
    if (IsLeftOut(path)) return;
    HKEY key;
    if (RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key)) return;
    state.keys[path] = StampOf(key);
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr)) break;
        TakeKey(key, name, path + "\\" + name, state);
    }
    RegCloseKey(key);
}

// The files of a folder; with `folders`, its folders too, by name alone (a
// folder's time moves with what is in it, which belongs to its users).
void TakeFolder(const std::string &dir, MachineState &state, bool folders = false) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string path = (dir.back() == '\\' ? dir : dir + "\\") + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (folders && std::strcmp(found.cFileName, ".") && std::strcmp(found.cFileName, ".."))
                state.files[path] = kFolderStamp;
            continue;
        }
        state.files[path] =
            std::to_string(found.nFileSizeLow) + " " + std::to_string(found.ftLastWriteTime.dwLowDateTime) + " " +
            std::to_string(found.ftLastWriteTime.dwHighDateTime);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

void TakeServices(MachineState &state) {
    std::map<std::string, std::string> &running = state.services;
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    state.serviceManagerAnswers = manager != nullptr;
    if (!manager) return;
    std::string buffer(64 * 1024, '\0');
    DWORD needed = 0, count = 0, resume = 0;
    while (true) {
        const BOOL done = EnumServicesStatusA(manager, SERVICE_DRIVER | SERVICE_WIN32, SERVICE_ACTIVE,
                                              reinterpret_cast<ENUM_SERVICE_STATUSA *>(&buffer[0]),
                                              DWORD(buffer.size()), &needed, &count, &resume);
        if (!done && GetLastError() != ERROR_MORE_DATA) break;
        const auto *services = reinterpret_cast<const ENUM_SERVICE_STATUSA *>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            // Wine starts the RPC service when something first needs it (the
            // desktop, with a program's first window), not at boot.
            if (lstrcmpiA(services[i].lpServiceName, "RpcSs") == 0) continue;
            running[services[i].lpServiceName] = std::to_string(services[i].ServiceStatus.dwCurrentState);
        }
        if (done) break;
    }
    CloseServiceHandle(manager);
}

std::string SystemFolder() {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string WindowsFolder() {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

void Compare(const std::map<std::string, std::string> &before, const std::map<std::string, std::string> &after,
             const char *what, std::vector<std::string> &lines) {
    auto b = before.begin();
    auto a = after.begin();
    while (b != before.end() || a != after.end()) {
        if (a == after.end() || (b != before.end() && b->first < a->first)) {
            lines.push_back(std::string("removed ") + what + " " + b->first);
            ++b;
        } else if (b == before.end() || a->first < b->first) {
            lines.push_back(std::string("added ") + what + " " + a->first);
            ++a;
        } else {
            if (a->second != b->second) lines.push_back(std::string("changed ") + what + " " + a->first);
            ++a;
            ++b;
        }
    }
}

constexpr DWORD kKeyChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

bool IsRightBelow(const std::string &path, const std::string &parent) {
    return path.size() > parent.size() + 1 && path.compare(0, parent.size(), parent) == 0 &&
           path[parent.size()] == '\\' && path.find('\\', parent.size() + 1) == std::string::npos;
}

// A key and its branch out of `keys` ('\\' + 1 is ']': the range of the
// paths below it).
void EraseBranch(std::map<std::string, std::string> &keys, const std::string &path) {
    keys.erase(path);
    keys.erase(keys.lower_bound(path + "\\"), keys.lower_bound(path + "]"));
}

std::vector<std::string> SubkeysOf(const std::string &path) {
    std::vector<std::string> names;
    std::string below;
    kit::RegKey key;
    const HKEY root = RootOfPath(path, below);
    if (!root || RegOpenKeyExA(root, below.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_64KEY, key.receive()))
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr)) break;
        names.emplace_back(name, size);
    }
    return names;
}

void TakeBranch(const std::string &path, MachineState &state) {
    std::string below;
    if (const HKEY root = RootOfPath(path, below)) TakeKey(root, below, path, state);
}

// A tree's top again: its own stamp, the keys gone from right below it, and
// the keys new there with their branches. The rest stays as it was.
void TakeTop(const std::string &top, MachineState &state) {
    std::string below;
    kit::RegKey key;
    const HKEY root = RootOfPath(top, below);
    if (!root || RegOpenKeyExA(root, below.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.receive())) {
        EraseBranch(state.keys, top);
        return;
    }
    state.keys[top] = StampOf(key.get());
    const std::vector<std::string> names = SubkeysOf(top);
    std::vector<std::string> gone;
    for (auto k = state.keys.lower_bound(top + "\\"); k != state.keys.end() && k->first < top + "]"; ++k)
        if (IsRightBelow(k->first, top) &&
            std::find(names.begin(), names.end(), k->first.substr(top.size() + 1)) == names.end())
            gone.push_back(k->first);
    for (const std::string &path : gone) EraseBranch(state.keys, path);
    for (const std::string &name : names)
        if (!state.keys.count(top + "\\" + name)) TakeKey(key.get(), name, top + "\\" + name, state);
}

void TakeTheRest(MachineState &state) {
    const std::string system = SystemFolder(), windows = WindowsFolder();
    for (const std::string &dir : {system, system + "\\drivers", windows, windows + "\\sysnative",
                                   windows + "\\sysnative\\drivers"})
        TakeFolder(dir, state);
    // The drive's top folder, where tests keep their traces and copies.
    TakeFolder(windows.substr(0, 3), state, true);
    TakeServices(state);
}

}  // namespace

MachineState TakeMachineState() {
    MachineState state;
    for (const RegistryTree &tree : kTrees) TakeKey(tree.root, tree.path, PathOf(tree), state);
    TakeTheRest(state);
    return state;
}

MachineState TakeMachineState(const MachineState &previous, const Changes &changes) {
    MachineState state;
    state.keys = previous.keys;
    for (const std::string &branch : changes.branches) {
        EraseBranch(state.keys, branch);
        TakeBranch(branch, state);
    }
    for (const std::string &top : changes.tops) TakeTop(top, state);
    TakeTheRest(state);
    return state;
}

HKEY RootOfPath(const std::string &path, std::string &below) {
    for (const RegistryTree &tree : kTrees) {
        const std::string root = std::string(tree.rootName) + "\\";
        if (path.compare(0, root.size(), root) == 0) {
            below = path.substr(root.size());
            return tree.root;
        }
    }
    return nullptr;
}

ChangeWatch::ChangeWatch() {
    for (const RegistryTree &tree : kTrees)
        if (Add(PathOf(tree), true)) WatchBranchesOf(PathOf(tree));
    folder_.reset(FindFirstChangeNotificationA(
        WindowsFolder().c_str(), TRUE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
            FILE_NOTIFY_CHANGE_LAST_WRITE));
}

bool ChangeWatch::Add(const std::string &path, bool top) {
    Watch watch;
    watch.path = path;
    watch.top = top;
    std::string below;
    const HKEY root = RootOfPath(path, below);
    if (!root || RegOpenKeyExA(root, below.c_str(), 0, KEY_NOTIFY | KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_64KEY,
                               watch.key.receive()))
        return false;
    watch.event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!watch.event || RegNotifyChangeKeyValue(watch.key.get(), !top, kKeyChanges, watch.event.get(), TRUE))
        return false;
    watches_.push_back(std::move(watch));
    return true;
}

// A watch for each key right below `top`, made again: a key removed and made
// anew under the same name is another key, which the old watch does not see.
// A change a replaced watch saw and has not reported yet is carried over.
void ChangeWatch::WatchBranchesOf(const std::string &top) {
    std::vector<std::string> unreported;
    for (auto watch = watches_.begin(); watch != watches_.end();) {
        if (watch->top || !IsRightBelow(watch->path, top)) {
            ++watch;
            continue;
        }
        if (!watch->reported && WaitForSingleObject(watch->event.get(), 0) == WAIT_OBJECT_0)
            unreported.push_back(watch->path);
        watch = watches_.erase(watch);
    }
    for (const std::string &name : SubkeysOf(top)) {
        const std::string path = top + "\\" + name;
        if (IsLeftOut(path) || !Add(path, false)) continue;
        for (const std::string &carried : unreported)
            if (carried == path) SetEvent(watches_.back().event.get());
    }
}

void ChangeWatch::Rearm() {
    std::vector<std::string> tops;
    for (const Watch &watch : watches_)
        if (watch.top && watch.reported) tops.push_back(watch.path);
    for (const std::string &top : tops) WatchBranchesOf(top);
    // Only what was reported: a change since then stays signalled for the
    // next look.
    for (Watch &watch : watches_) {
        if (!watch.reported) continue;
        watch.reported = false;
        ResetEvent(watch.event.get());
        RegNotifyChangeKeyValue(watch.key.get(), !watch.top, kKeyChanges, watch.event.get(), TRUE);
    }
    if (folder_ && folderReported_) FindNextChangeNotification(folder_.get());
    folderReported_ = false;
}

Changes ChangeWatch::Changed() {
    Changes changes;
    // A tree without a watch of its own counts as changed every time.
    for (const RegistryTree &tree : kTrees) {
        bool watched = false;
        for (const Watch &watch : watches_) watched = watched || (watch.top && watch.path == PathOf(tree));
        if (!watched) changes.branches.push_back(PathOf(tree));
    }
    for (Watch &watch : watches_) {
        if (WaitForSingleObject(watch.event.get(), 0) != WAIT_OBJECT_0) continue;
        watch.reported = true;
        (watch.top ? changes.tops : changes.branches).push_back(watch.path);
    }
    if (!folder_ || WaitForSingleObject(folder_.get(), 0) == WAIT_OBJECT_0) {
        folderReported_ = folder_.valid();
        changes.folders = true;
    }
    return changes;
}

std::vector<std::string> Differences(const MachineState &before, const MachineState &after, size_t limit) {
    std::vector<std::string> lines;
    Compare(before.keys, after.keys, "key", lines);
    Compare(before.files, after.files, "file", lines);
    Compare(before.services, after.services, "running service", lines);
    if (before.serviceManagerAnswers && !after.serviceManagerAnswers)
        lines.push_back("the service manager no longer answers");
    if (lines.size() > limit) {
        const size_t more = lines.size() - limit;
        lines.resize(limit);
        lines.push_back("and " + std::to_string(more) + " more");
    }
    return lines;
}

}  // namespace harness
