// Mirvo.sys, the simulated KVT card. At start it reads the configured card
// slots, writes back each slot's state and the service's "ConfigState" 1,
// and makes the device "KVTn" for each slot whose card was found.
#include <ntddk.h>

#include "../include/KvtSimIoctl.h"
#include "Detect.h"
#include "Devices.h"
#include "Dispatch.h"
#include "KernelRegistry.h"
#include "SimCards.h"

namespace mirvosys {
namespace {

const ULONG kPoolTag = 0x7264534B;  // "KSdr"

VOID NTAPI Unload(PDRIVER_OBJECT driver) { DeleteAllDevices(driver); }

bool Switch(const wchar_t *name) {
    KeyHandle root;
    ULONG value = 0;
    return root.Open(L"\\Registry\\Machine\\" KVTSIM_WIDE(KVTSIM_REG_ROOT)) &&
           ReadDword(root, name, &value) && value != 0;
}

bool KeepServiceKey(PCUNICODE_STRING path) {
    const ULONG chars = path->Length / sizeof(wchar_t);
    if (chars + 1 > sizeof g_serviceKey / sizeof g_serviceKey[0]) return false;
    RtlCopyMemory(g_serviceKey, path->Buffer, path->Length);
    g_serviceKey[chars] = 0;
    return true;
}

struct StartState {
    SimCardList cards;
    Slot slots[kvtcard::kMaxCards];
};

NTSTATUS CreateSlotDevices(PDRIVER_OBJECT driver, const StartState &state) {
    for (ULONG slot = 0; slot < kvtcard::kMaxCards; ++slot) {
        if (state.slots[slot].state != SlotOk) continue;
        wchar_t name[6];
        kvtcard::CardNameOfSlot(int(slot), name);
        const SimCard *card = CardAt(state.cards, state.slots[slot].address);
        const NTSTATUS status = CreateCardDevice(driver, name, card->name);
        if (!NT_SUCCESS(status)) return status;
    }
    return STATUS_SUCCESS;
}

}  // namespace
}  // namespace mirvosys

extern "C" NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    using namespace mirvosys;
    if (Switch(KVTSIM_WIDE(KVTSIM_VAL_FAIL_START))) return STATUS_DEVICE_CONFIGURATION_ERROR;
    if (!KeepServiceKey(registryPath)) return STATUS_OBJECT_NAME_INVALID;

    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreate;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchCleanup;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;

    auto *state =
        static_cast<StartState *>(ExAllocatePoolWithTag(PagedPool, sizeof(StartState), kPoolTag));
    if (!state) return STATUS_INSUFFICIENT_RESOURCES;
    LoadSimCards(&state->cards);
    ConfigureSlots(g_serviceKey, state->cards, state->slots);

    NTSTATUS status = CreateControlDevice(driver);
    if (NT_SUCCESS(status)) status = CreateSlotDevices(driver, *state);
    ExFreePool(state);  // NT 4.0 frees pool untagged: it has no ExFreePoolWithTag
    if (!NT_SUCCESS(status)) {
        DeleteAllDevices(driver);
        return status;
    }

    KeyHandle service;
    if (service.Open(g_serviceKey, KEY_ALL_ACCESS))
        WriteDword(service, KVTSIM_WIDE(KVTSIM_VAL_CONFIG_STATE), 1);
    // Without an unload routine the system refuses to stop the driver.
    if (!Switch(KVTSIM_WIDE(KVTSIM_VAL_REFUSE_STOP))) driver->DriverUnload = Unload;
    return STATUS_SUCCESS;
}
