#include "Devices.h"

#include "../include/KvtSimIoctl.h"
#include "KernelRegistry.h"

namespace mirvosys {

namespace {
void InitString(UNICODE_STRING *s, const wchar_t *text) {
    USHORT n = 0;
    while (text[n]) ++n;
    s->Buffer = const_cast<PWSTR>(text);
    s->Length = USHORT(n * sizeof(wchar_t));
    s->MaximumLength = USHORT(s->Length + sizeof(wchar_t));
}

template <ULONG N> void CopyText(wchar_t (&to)[N], const wchar_t *from) {
    ULONG i = 0;
    for (; from[i] && i + 1 < N; ++i) to[i] = from[i];
    to[i] = 0;
}

NTSTATUS CreateLinkedDevice(PDRIVER_OBJECT driver, DeviceKind kind, const wchar_t *deviceName,
                            const wchar_t *linkName, const wchar_t *card) {
    UNICODE_STRING name;
    InitString(&name, deviceName);
    PDEVICE_OBJECT device = nullptr;
    NTSTATUS status = IoCreateDevice(driver, sizeof(DeviceContext), &name, FILE_DEVICE_UNKNOWN,
                                     0, FALSE, &device);
    if (!NT_SUCCESS(status)) return status;

    DeviceContext *context = ContextOf(device);
    RtlZeroMemory(context, sizeof *context);
    context->kind = kind;
    CopyText(context->card, card);
    CopyText(context->link, linkName);

    UNICODE_STRING link;
    InitString(&link, context->link);
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(device);
        return status;
    }
    context->linked = true;
    device->Flags |= DO_BUFFERED_IO;
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}
}  // namespace

NTSTATUS CreateControlDevice(PDRIVER_OBJECT driver) {
    return CreateLinkedDevice(driver, DeviceKind::Control, KVTSIM_CONTROL_DEVICE,
                              KVTSIM_CONTROL_LINK, L"");
}

NTSTATUS CreateCardDevice(PDRIVER_OBJECT driver, const wchar_t *deviceName, const wchar_t *card) {
    WideText<48> device, link;
    device.Add(KVTSIM_DEVICE_PREFIX).Add(deviceName);
    link.Add(KVTSIM_LINK_PREFIX).Add(deviceName);
    if (!device.Ok() || !link.Ok()) return STATUS_OBJECT_NAME_INVALID;
    return CreateLinkedDevice(driver, DeviceKind::Card, device.Get(), link.Get(), card);
}

void DeleteAllDevices(PDRIVER_OBJECT driver) {
    PDEVICE_OBJECT device = driver->DeviceObject;
    while (device) {
        PDEVICE_OBJECT next = device->NextDevice;
        DeviceContext *context = ContextOf(device);
        if (context->linked) {
            UNICODE_STRING link;
            InitString(&link, context->link);
            IoDeleteSymbolicLink(&link);
        }
        IoDeleteDevice(device);
        device = next;
    }
}

}  // namespace mirvosys
