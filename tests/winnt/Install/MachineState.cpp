#include "MachineState.h"

#include <fstream>
#include <sstream>

#include "UniqueHandle.h"
#include "ServiceManager.h"
#include "WaitUntil.h"

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
    return testreg::ReadValue(keyPath, name.c_str());
}

bool MachineKeyExists(const std::string &keyPath) { return testreg::KeyExists(keyPath); }

void WriteMachineValue(const std::string &keyPath, const std::string &name, DWORD type,
                       const std::vector<BYTE> &data) {
    testreg::WriteValue(keyPath, name.c_str(), type, data.data(), static_cast<DWORD>(data.size()));
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

LONG SetStoredSourceList(const std::vector<BYTE> &characters, bool oddByte) {
    std::vector<BYTE> stored;
    for (BYTE c : characters) stored.insert(stored.end(), {c, 0});
    if (oddByte) stored.push_back('X');
    const DWORD size = static_cast<DWORD>(stored.size());
    // A nonzero character just past the data: the registry then adds no
    // terminator of its own.
    stored.insert(stored.end(), {'X', 'X', 'X'});
    kit::RegKey key;
    if (LONG r = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEventLogKey, 0, KEY_SET_VALUE, key.receive())) return r;
    return RegSetValueExW(key.get(), L"Sources", 0, REG_MULTI_SZ, stored.data(), size);
}

std::vector<BYTE> StoredSourceList() {
    std::vector<BYTE> data;
    kit::RegKey key;
    DWORD size = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEventLogKey, 0, KEY_QUERY_VALUE, key.receive()) ||
        RegQueryValueExW(key.get(), L"Sources", nullptr, nullptr, nullptr, &size))
        return data;
    data.resize(size);
    if (RegQueryValueExW(key.get(), L"Sources", nullptr, nullptr, data.data(), &size)) data.clear();
    data.resize(size);
    return data;
}

std::vector<std::string> NamesOf(const std::vector<BYTE> &list) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < list.size() && list[at] != 0) {
        std::size_t end = at;
        while (end < list.size() && list[end] != 0) ++end;
        names.emplace_back(list.begin() + at, list.begin() + end);
        at = end + 1;
    }
    return names;
}

bool IsClosedList(const std::vector<BYTE> &list) {
    std::size_t at = 0;
    for (const std::string &name : NamesOf(list)) at += name.size() + 1;
    return at < list.size();  // the walk stopped at a closing zero inside the data
}

std::optional<ServiceFacts> QueryMirvoService() {
    std::optional<ServiceFacts> facts;
    const kit::ServiceHandle service = testsvc::OpenMirvoService(SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS);
    if (service) {
        std::vector<BYTE> buffer(8192, 0xbd);
        auto *config = reinterpret_cast<QUERY_SERVICE_CONFIGA *>(buffer.data());
        DWORD needed = 0;
        SERVICE_STATUS status = {};
        if (QueryServiceConfigA(service.get(), config, static_cast<DWORD>(buffer.size()), &needed) &&
            QueryServiceStatus(service.get(), &status)) {
            ServiceFacts f;
            f.type = config->dwServiceType;
            f.start = config->dwStartType;
            f.errorControl = config->dwErrorControl;
            f.displayName = config->lpDisplayName ? config->lpDisplayName : "";
            f.imagePath = config->lpBinaryPathName ? config->lpBinaryPathName : "";
            f.state = status.dwCurrentState;
            facts = f;
        }
    }
    return facts;
}

void StopMirvo() {
    const kit::ServiceHandle service = testsvc::OpenMirvoService(SERVICE_STOP);
    SERVICE_STATUS status;
    ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
}

bool WaitForMirvoState(DWORD state, DWORD deadlineMs) {
    return kit_test::WaitUntil(
        [state] {
            const std::optional<ServiceFacts> facts = QueryMirvoService();
            return facts && facts->state == state;
        },
        deadlineMs);
}

bool WaitUntilMirvoGone(DWORD deadlineMs) {
    return kit_test::WaitUntil([] { return !QueryMirvoService(); }, deadlineMs);
}

}  // namespace installtest
