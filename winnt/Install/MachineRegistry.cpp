// Registry operations under HKEY_LOCAL_MACHINE; every result code that
// reaches a person goes through ReportSystemError.
#include "MachineRegistry.h"

#include <windows.h>

#include "Console.h"
#include "Failure.h"

namespace installation {

kit::RegKey OpenMachineKey(const std::string &path) {
    kit::RegKey key;
    DWORD disposition = 0;
    const LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, key.receive(), &disposition);
    if (!ReportSystemError(static_cast<DWORD>(result))) return kit::RegKey();
    return key;
}

std::optional<std::vector<BYTE>> ReadMultiString(const kit::RegKey &key, const std::string &name) {
    if (!key) return std::nullopt;  // the open has reported why already
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size == 0)
        return std::nullopt;
    std::vector<BYTE> buffer(size, 0);
    const LONG result = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, buffer.data(), &size);
    if (!ReportSystemError(static_cast<DWORD>(result))) return std::nullopt;
    // The value may have shrunk between the two reads.
    buffer.resize(size);
    if (buffer.empty()) return std::nullopt;
    return buffer;
}

bool WriteMultiString(const kit::RegKey &key, const std::string &name, const BYTE *buffer, DWORD size) {
    return ReportSystemError(
        static_cast<DWORD>(RegSetValueExA(key.get(), name.c_str(), 0, REG_MULTI_SZ, buffer, size)));
}

void WriteDwordValue(const kit::RegKey &key, const std::string &name, DWORD value) {
    const LONG result = RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                                       sizeof value);
    if (!ReportSystemError(static_cast<DWORD>(result))) throw InstallFailure("Error writing registry");
}

void WriteExpandStringValue(const kit::RegKey &key, const std::string &name, const std::string &value) {
    const LONG result = RegSetValueExA(key.get(), name.c_str(), 0, REG_EXPAND_SZ,
                                       reinterpret_cast<const BYTE *>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    if (!ReportSystemError(static_cast<DWORD>(result))) throw InstallFailure("Error writing registry");
}

}  // namespace installation
