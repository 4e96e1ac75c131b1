// The driver's devices: one control device, and one device per simulated
// card, each with a symbolic link so user mode can open it by name.
#pragma once

#include <ntddk.h>

#include "RequestCheck.h"

namespace mirvosys {

// The device extension.
struct DeviceContext {
    DeviceKind kind;
    wchar_t card[32];      // the simulated card behind a card device
    wchar_t link[48];      // its symbolic link, removed with the device
    bool linked;
};

inline DeviceContext *ContextOf(PDEVICE_OBJECT device) {
    return static_cast<DeviceContext *>(device->DeviceExtension);
}

// Creates \Device\KvtSim and its link.
NTSTATUS CreateControlDevice(PDRIVER_OBJECT driver);

// Creates \Device\<deviceName> and its link for the simulated card `card`.
NTSTATUS CreateCardDevice(PDRIVER_OBJECT driver, const wchar_t *deviceName, const wchar_t *card);

// Removes every device of the driver and its link.
void DeleteAllDevices(PDRIVER_OBJECT driver);

}  // namespace mirvosys
