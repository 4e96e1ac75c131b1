#include "MachineState.h"

#include <fstream>
#include <sstream>

namespace installtest {

const char kEventLogKey[] = "System\\CurrentControlSet\\Services\\EventLog\\System";
const char kSourceKey[] = "System\\CurrentControlSet\\Services\\EventLog\\System\\Mirvo";

std::string SystemFolder() {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, sizeof dir);
    return std::string(dir) + "\\";
}

std::string DriversFolder() { return SystemFolder() + "Drivers\\"; }

bool FileExists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<RegistryValue> ReadMachineValue(const std::string &keyPath, const std::string &name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    RegistryValue value;
    DWORD size = 0;
    std::optional<RegistryValue> result;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.assign(size, 0xbd);
        if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS) {
            value.data.resize(size);
            result = value;
        }
    }
    RegCloseKey(key);
    return result;
}

bool MachineKeyExists(const std::string &keyPath) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void WriteMachineValue(const std::string &keyPath, const std::string &name, DWORD type,
                       const std::vector<BYTE> &data) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

std::vector<BYTE> SourceList() {
    const std::optional<RegistryValue> value = ReadMachineValue(kEventLogKey, "Sources");
    if (!value || value->type != REG_MULTI_SZ) return {};
    return value->data;
}

void SetSourceList(const std::vector<BYTE> &list) { WriteMachineValue(kEventLogKey, "Sources", REG_MULTI_SZ, list); }

std::vector<BYTE> MultiString(const std::vector<std::string> &names) {
    std::vector<BYTE> list;
    for (const std::string &name : names) {
        list.insert(list.end(), name.begin(), name.end());
        list.push_back(0);
    }
    list.push_back(0);
    return list;
}

std::vector<BYTE> Bytes(const std::string &text) { return std::vector<BYTE>(text.begin(), text.end()); }

std::string Printable(const std::vector<BYTE> &bytes) {
    std::string text = "\"";
    for (BYTE b : bytes) text += b == 0 ? std::string("\\0") : std::string(1, static_cast<char>(b));
    return text + "\" (" + std::to_string(bytes.size()) + " bytes)";
}

std::optional<ServiceFacts> QueryMirvoService() {
    std::optional<ServiceFacts> facts;
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager) return facts;
    if (SC_HANDLE service = OpenServiceA(manager, "Mirvo", SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS)) {
        std::vector<BYTE> buffer(8192, 0xbd);
        auto *config = reinterpret_cast<QUERY_SERVICE_CONFIGA *>(buffer.data());
        DWORD needed = 0;
        SERVICE_STATUS status = {};
        if (QueryServiceConfigA(service, config, static_cast<DWORD>(buffer.size()), &needed) &&
            QueryServiceStatus(service, &status)) {
            ServiceFacts f;
            f.type = config->dwServiceType;
            f.start = config->dwStartType;
            f.errorControl = config->dwErrorControl;
            f.displayName = config->lpDisplayName ? config->lpDisplayName : "";
            f.imagePath = config->lpBinaryPathName ? config->lpBinaryPathName : "";
            f.state = status.dwCurrentState;
            facts = f;
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return facts;
}

void StopMirvo() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, "Mirvo", SERVICE_ALL_ACCESS);
    SERVICE_STATUS status;
    ControlService(service, SERVICE_CONTROL_STOP, &status);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
}

bool WaitForMirvoState(DWORD state, DWORD deadlineMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const std::optional<ServiceFacts> facts = QueryMirvoService();
        if (facts && facts->state == state) return true;
        if (GetTickCount() - start > deadlineMs) return false;
        Sleep(100);
    }
}

bool WaitUntilMirvoGone(DWORD deadlineMs) {
    const DWORD start = GetTickCount();
    while (QueryMirvoService()) {
        if (GetTickCount() - start > deadlineMs) return false;
        Sleep(100);
    }
    return true;
}

}  // namespace installtest
