// Mirvo.sys, the simulated KVT card: loads its cards, makes their devices.
#include <ntddk.h>

#include "../include/KvtSimIoctl.h"
#include "Devices.h"
#include "Dispatch.h"
#include "KernelRegistry.h"
#include "Signal.h"

namespace kvtsim {
namespace {

VOID NTAPI Unload(PDRIVER_OBJECT driver) { DeleteAllDevices(driver); }

// One device per subkey of KvtSim\Cards named like a card; without that key,
// the one default card.
NTSTATUS CreateCards(PDRIVER_OBJECT driver) {
    KeyHandle cards;
    if (!cards.Open(L"\\Registry\\Machine\\" KVTSIM_WIDE(KVTSIM_REG_CARDS)))
        return CreateCardDevice(driver, KVTSIM_WIDE(KVTSIM_DEFAULT_CARD),
                                KVTSIM_WIDE(KVTSIM_DEFAULT_CARD));
    wchar_t name[64];
    for (ULONG index = 0; index < 64 && SubkeyName(cards, index, name, 64); ++index) {
        if (!IsCardName(name)) continue;
        const NTSTATUS status = CreateCardDevice(driver, name, name);
        if (!NT_SUCCESS(status)) return status;
    }
    return STATUS_SUCCESS;
}

}  // namespace
}  // namespace kvtsim

extern "C" NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING) {
    using namespace kvtsim;
    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreate;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchCleanup;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;

    NTSTATUS status = CreateControlDevice(driver);
    if (NT_SUCCESS(status)) status = CreateCards(driver);
    if (!NT_SUCCESS(status)) {
        DeleteAllDevices(driver);
        return status;
    }
    driver->DriverUnload = Unload;
    return STATUS_SUCCESS;
}
