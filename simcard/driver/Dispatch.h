// The driver's dispatch routines.
#pragma once

#include <ntddk.h>

namespace mirvosys {

NTSTATUS NTAPI DispatchCreate(PDEVICE_OBJECT device, PIRP irp);
NTSTATUS NTAPI DispatchClose(PDEVICE_OBJECT device, PIRP irp);
NTSTATUS NTAPI DispatchCleanup(PDEVICE_OBJECT device, PIRP irp);
NTSTATUS NTAPI DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp);

}  // namespace mirvosys
