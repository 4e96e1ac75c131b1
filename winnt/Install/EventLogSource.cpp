// The driver as a source of the System event log.
#include "EventLogSource.h"

#include <windows.h>

#include "Failure.h"
#include "MachineRegistry.h"
#include "MultiString.h"
#include "Names.h"

namespace installation {

namespace {

std::vector<BYTE> ReadSourceList(const kit::RegKey &eventLogKey) {
    std::optional<std::vector<BYTE>> list = ReadMultiString(eventLogKey, kSourceListValue);
    if (!list) throw InstallFailure("Error reading EventLog\\Sources");
    return *list;
}

void WriteSourceList(const kit::RegKey &eventLogKey, const std::vector<BYTE> &list) {
    if (!WriteMultiString(eventLogKey, kSourceListValue, list.data(), static_cast<DWORD>(list.size())))
        throw InstallFailure("Error writing EventLog\\Sources");
}

void AddToSourceList() {
    const kit::RegKey eventLogKey = OpenMachineKey(kEventLogKey);
    const std::vector<BYTE> list = ReadSourceList(eventLogKey);
    const DWORD size = static_cast<DWORD>(list.size());
    if (FindInMultiString(list.data(), size, kSourceName) != kNotFound) return;
    WriteSourceList(eventLogKey, AppendToMultiString(list.data(), size, kSourceName));
}

}  // namespace

void AddEventLogSource() {
    AddToSourceList();

    const kit::RegKey sourceKey = OpenMachineKey(kSourceKey);
    if (!sourceKey) throw InstallFailure("Error opening EventLog\\Device key");
    WriteExpandStringValue(sourceKey, kMessageFileValue, kMessageFile);
    WriteDwordValue(sourceKey, kTypesSupportedValue, kTypesSupported);
}

void RemoveEventLogSource() {
    // A source key that is gone already, or cannot go, is no reason to stop.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSourceKey);

    const kit::RegKey eventLogKey = OpenMachineKey(kEventLogKey);
    std::vector<BYTE> list = ReadSourceList(eventLogKey);
    if (RemoveFromMultiString(list, kSourceName)) WriteSourceList(eventLogKey, list);
}

}  // namespace installation
