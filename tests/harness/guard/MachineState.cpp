#include "MachineState.h"

#include <windows.h>

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

}  // namespace

MachineState TakeMachineState() {
    Changes everything;
    everything.trees.assign(sizeof kTrees / sizeof kTrees[0], true);
    return TakeMachineState(MachineState(), everything);
}

MachineState TakeMachineState(const MachineState &previous, const Changes &changes) {
    MachineState state;
    for (size_t i = 0; i < sizeof kTrees / sizeof kTrees[0]; ++i) {
        const std::string top = PathOf(kTrees[i]);
        if (i < changes.trees.size() && changes.trees[i]) {
            TakeKey(kTrees[i].root, kTrees[i].path, top, state);
            continue;
        }
        // Unchanged: the tree's keys as they were (its top, then its branch).
        for (auto key = previous.keys.lower_bound(top);
             key != previous.keys.end() && key->first.compare(0, top.size(), top) == 0; ++key)
            if (key->first.size() == top.size() || key->first[top.size()] == '\\') state.keys.insert(*key);
    }
    const std::string system = SystemFolder(), windows = WindowsFolder();
    for (const std::string &dir : {system, system + "\\drivers", windows, windows + "\\sysnative",
                                   windows + "\\sysnative\\drivers"})
        TakeFolder(dir, state);
    // The drive's top folder, where tests keep their traces and copies.
    TakeFolder(windows.substr(0, 3), state, true);
    TakeServices(state);
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
    for (const RegistryTree &tree : kTrees) {
        HKEY key;
        if (RegOpenKeyExA(tree.root, tree.path, 0, KEY_NOTIFY | KEY_WOW64_64KEY, &key)) continue;
        keys_.push_back(key);
        events_.push_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    }
    folder_ = FindFirstChangeNotificationA(
        WindowsFolder().c_str(), TRUE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
            FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (folder_ == INVALID_HANDLE_VALUE) folder_ = nullptr;
    Rearm();
}

ChangeWatch::~ChangeWatch() {
    for (void *key : keys_) RegCloseKey(static_cast<HKEY>(key));
    for (void *event : events_) CloseHandle(event);
    if (folder_) FindCloseChangeNotification(folder_);
}

void ChangeWatch::Rearm() {
    for (size_t i = 0; i < keys_.size(); ++i) {
        ResetEvent(events_[i]);
        RegNotifyChangeKeyValue(static_cast<HKEY>(keys_[i]), TRUE,
                                REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, events_[i], TRUE);
    }
    if (folder_ && folderFired_) FindNextChangeNotification(folder_);
    folderFired_ = false;
}

Changes ChangeWatch::Changed() {
    Changes changes;
    // Without a watch of its own, a tree counts as changed every time.
    const bool watched = keys_.size() == sizeof kTrees / sizeof kTrees[0];
    for (size_t i = 0; i < sizeof kTrees / sizeof kTrees[0]; ++i)
        changes.trees.push_back(!watched || WaitForSingleObject(events_[i], 0) == WAIT_OBJECT_0);
    if (!folder_ || WaitForSingleObject(folder_, 0) == WAIT_OBJECT_0) {
        folderFired_ = folder_ != nullptr;
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
