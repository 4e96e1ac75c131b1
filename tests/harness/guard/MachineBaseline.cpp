#include "MachineBaseline.h"

#include "UniqueHandle.h"
#include "WaitUntil.h"

namespace harness {

namespace {

const char kServicesKey[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\";
// How long a service may take to stop, or a file to be let go of.
constexpr DWORD kPatienceMs = 10000;

kit::RegKey OpenKey(const std::string &path, REGSAM access) {
    std::string below;
    kit::RegKey key;
    if (HKEY root = RootOfPath(path, below))
        RegOpenKeyExA(root, below.c_str(), 0, access | KEY_WOW64_64KEY, key.receive());
    return key;
}

KeyValues ValuesOf(const std::string &path) {
    KeyValues values;
    const kit::RegKey key = OpenKey(path, KEY_QUERY_VALUE);
    if (!key) return values;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                         &longestData, nullptr, nullptr))
        return values;
    std::string name(longestName + 1, '\0');
    std::string data(longestData, '\0');
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameSize = DWORD(name.size()), dataSize = DWORD(data.size()), type = 0;
        if (RegEnumValueA(key.get(), i, &name[0], &nameSize, nullptr, &type, reinterpret_cast<BYTE *>(&data[0]),
                          &dataSize))
            break;
        values[name.substr(0, nameSize)] = RegistryValue{type, data.substr(0, dataSize)};
    }
    return values;
}

bool IsBelow(const std::string &path, const std::string &parent) {
    return path.size() > parent.size() && path.compare(0, parent.size(), parent) == 0 && path[parent.size()] == '\\';
}

// A service the case registered: its key right below the services key.
std::string ServiceNameOf(const std::string &keyPath) {
    const std::string prefix = kServicesKey;
    if (keyPath.compare(0, prefix.size(), prefix) != 0) return "";
    const std::string name = keyPath.substr(prefix.size());
    return name.find('\\') == std::string::npos ? name : "";
}

void StopService(SC_HANDLE manager, const std::string &name) {
    const kit::ServiceHandle service(OpenServiceA(manager, name.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS));
    if (!service) return;
    SERVICE_STATUS status{};
    ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
    kit_test::WaitUntil(
        [&] { return QueryServiceStatus(service.get(), &status) && status.dwCurrentState == SERVICE_STOPPED; },
        kPatienceMs);
}

// The service manager removes the key once nothing holds the service.
void DeleteService(SC_HANDLE manager, const std::string &name, const std::string &keyPath) {
    {
        const kit::ServiceHandle service(OpenServiceA(manager, name.c_str(), DELETE));
        if (!service) return;
        ::DeleteService(service.get());
    }
    kit_test::WaitUntil([&] { return !OpenKey(keyPath, KEY_READ); }, kPatienceMs);
}

void DeleteKey(const std::string &path) {
    std::string below;
    HKEY root = RootOfPath(path, below);
    if (!root) return;
    if (const kit::RegKey key = OpenKey(path, KEY_ALL_ACCESS)) RegDeleteTreeA(key.get(), nullptr);
    RegDeleteKeyExA(root, below.c_str(), KEY_WOW64_64KEY, 0);
}

void WriteBack(const std::string &path, const KeyValues &was) {
    std::string below;
    HKEY root = RootOfPath(path, below);
    kit::RegKey key;
    if (!root || RegCreateKeyExA(root, below.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                                 key.receive(), nullptr))
        return;
    const KeyValues now = ValuesOf(path);
    for (const auto &[name, value] : now)
        if (!was.count(name)) RegDeleteValueA(key.get(), name.c_str());
    for (const auto &[name, value] : was) {
        const auto found = now.find(name);
        if (found == now.end() || !(found->second == value))
            RegSetValueExA(key.get(), name.c_str(), 0, value.type, reinterpret_cast<const BYTE *>(value.data.data()),
                           DWORD(value.data.size()));
    }
}

// A file of the case's that a process of it may still hold for a moment.
void DeleteAddedFile(const std::string &path) {
    kit_test::WaitUntil([&] { return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; },
                        kPatienceMs);
}

void DeleteAddedFolder(const std::string &path) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteAddedFolder(path + "\\" + name);
            else
                DeleteAddedFile(path + "\\" + name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

MachineBaseline::MachineBaseline() : state_(TakeMachineState()) {
    for (const auto &[path, stamp] : state_.keys) values_[path] = ValuesOf(path);
}

std::vector<std::string> MachineBaseline::Differences(const MachineState &now, size_t limit) const {
    // Files and services as the look compares them; keys by their values.
    MachineState was = state_, is = now;
    was.keys.clear();
    is.keys.clear();
    std::vector<std::string> lines = harness::Differences(was, is, SIZE_MAX);
    for (const auto &[path, stamp] : now.keys) {
        const auto found = state_.keys.find(path);
        if (found == state_.keys.end())
            lines.push_back("added key " + path);
        else if (found->second != stamp && !(ValuesOf(path) == values_.at(path)))
            lines.push_back("changed key " + path);
    }
    for (const auto &[path, stamp] : state_.keys)
        if (!now.keys.count(path)) lines.push_back("removed key " + path);
    if (lines.size() > limit) {
        const size_t more = lines.size() - limit;
        lines.resize(limit);
        lines.push_back("and " + std::to_string(more) + " more");
    }
    return lines;
}

void MachineBaseline::PutBack(const MachineState &now) const {
    // Services first: a driver's file can go only once it is stopped, and a
    // service's key only through the service manager.
    if (const kit::ServiceHandle manager{OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)}) {
        for (const auto &[name, state] : now.services)
            if (!state_.services.count(name)) StopService(manager.get(), name);
        for (const auto &[path, stamp] : now.keys) {
            const std::string service = ServiceNameOf(path);
            if (!service.empty() && !state_.keys.count(path)) DeleteService(manager.get(), service, path);
        }
    }
    // Keys: the topmost added one of each branch goes with what is below it;
    // the keys of the baseline get their values back (a removed one, then its
    // own subkeys, in path order).
    std::string removedBranch;
    for (const auto &[path, stamp] : now.keys) {
        if (state_.keys.count(path) || (!removedBranch.empty() && IsBelow(path, removedBranch))) continue;
        DeleteKey(path);
        removedBranch = path;
    }
    for (const auto &[path, stamp] : state_.keys) {
        const auto found = now.keys.find(path);
        if (found == now.keys.end() || found->second != stamp) WriteBack(path, values_.at(path));
    }
    for (const auto &[path, stamp] : now.files) {
        if (state_.files.count(path)) continue;
        if (stamp == kFolderStamp)
            DeleteAddedFolder(path);
        else
            DeleteAddedFile(path);
    }
}

}  // namespace harness
