#include "Dispatch.h"

#include "../include/KvtSimIoctl.h"
#include "CardScript.h"
#include "Detect.h"
#include "Devices.h"
#include "ErrorTexts.h"
#include "Signal.h"

namespace mirvosys {

namespace {
const ULONG kPoolTag = 0x6463534B;  // "KScd"

NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

// The card's script, kept with the open handle (its file object).
CardScript *ScriptOf(PIO_STACK_LOCATION stack) {
    return stack->FileObject ? static_cast<CardScript *>(stack->FileObject->FsContext) : nullptr;
}

ULONGLONG Milliseconds() {
    LARGE_INTEGER frequency;
    const LARGE_INTEGER counter = KeQueryPerformanceCounter(&frequency);
    const ULONGLONG perMillisecond = ULONGLONG(frequency.QuadPart) / 1000;
    return perMillisecond ? ULONGLONG(counter.QuadPart) / perMillisecond : 0;
}

// A card request: every reply starts with the result.
NTSTATUS CardRequest(ULONG code, const CardScript &script, void *buffer, ULONG outLength,
                     ULONG_PTR *information) {
    switch (code) {
    case IOCTL_KVTSIM_OPEN: {
        if (outLength < sizeof(KVTSIM_RESULT)) return STATUS_BUFFER_TOO_SMALL;
        auto *reply = static_cast<KVTSIM_RESULT *>(buffer);
        reply->Ok = !script.openFails;
        reply->LastError = script.openFails ? KVTSIM_OPEN_REFUSED_ERROR : 0;
        *information = sizeof *reply;
        return STATUS_SUCCESS;
    }
    case IOCTL_KVTSIM_INIT:
    case IOCTL_KVTSIM_FINISH: {
        if (outLength < sizeof(KVTSIM_RESULT)) return STATUS_BUFFER_TOO_SMALL;
        const ScriptedFault &fault = code == IOCTL_KVTSIM_INIT ? script.init : script.finish;
        auto *reply = static_cast<KVTSIM_RESULT *>(buffer);
        reply->Ok = !fault.fails;
        reply->LastError = fault.fails ? fault.lastError : 0;
        *information = sizeof *reply;
        return STATUS_SUCCESS;
    }
    case IOCTL_KVTSIM_READ_WEIGHTS: {
        if (outLength < sizeof(KVTSIM_WEIGHTS_REPLY)) return STATUS_BUFFER_TOO_SMALL;
        auto *reply = static_cast<KVTSIM_WEIGHTS_REPLY *>(buffer);
        RtlZeroMemory(reply, sizeof *reply);
        if (script.read.fails) {
            reply->Result.LastError = script.read.lastError;
        } else {
            reply->Result.Ok = 1;
            const ULONGLONG now = script.fixedWeights ? 0 : Milliseconds();
            for (unsigned channel = 0; channel < 4; ++channel) {
                reply->WeightBits[channel] = script.fixedWeights
                                                 ? script.weightBits[channel]
                                                 : FloatBitsFromMilli(SignalMilli(channel, now));
            }
        }
        *information = sizeof *reply;
        return STATUS_SUCCESS;
    }
    default:
        return STATUS_INVALID_DEVICE_REQUEST;
    }
}

NTSTATUS ControlRequest(ULONG code, void *buffer, ULONG inLength, ULONG outLength,
                        ULONG_PTR *information) {
    switch (code) {
    case IOCTL_KVTSIM_GET_ERROR_TEXT: {
        if (inLength < sizeof(KVTSIM_ERROR_TEXT_REQUEST) ||
            outLength < sizeof(KVTSIM_ERROR_TEXT_REPLY))
            return STATUS_BUFFER_TOO_SMALL;
        // Request and reply share the system buffer: take the code first.
        const ULONG errorCode = static_cast<KVTSIM_ERROR_TEXT_REQUEST *>(buffer)->Code;
        auto *reply = static_cast<KVTSIM_ERROR_TEXT_REPLY *>(buffer);
        RtlZeroMemory(reply, sizeof *reply);
        LookUpErrorText(errorCode, reply);
        *information = sizeof *reply;
        return STATUS_SUCCESS;
    }
    case IOCTL_KVTSIM_DETECT: {
        if (inLength < sizeof(KVTSIM_DETECT_REQUEST) || outLength < sizeof(KVTSIM_DETECT_REPLY))
            return STATUS_BUFFER_TOO_SMALL;
        const ULONG address = static_cast<KVTSIM_DETECT_REQUEST *>(buffer)->Address;
        auto *reply = static_cast<KVTSIM_DETECT_REPLY *>(buffer);
        RtlZeroMemory(reply, sizeof *reply);
        DetectAt(address, reply);
        *information = sizeof *reply;
        return STATUS_SUCCESS;
    }
    default:
        return STATUS_INVALID_DEVICE_REQUEST;
    }
}
}  // namespace

NTSTATUS NTAPI DispatchCreate(PDEVICE_OBJECT device, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    NTSTATUS status = STATUS_SUCCESS;
    const DeviceContext *context = ContextOf(device);
    if (context->kind == DeviceKind::Card) {
        auto *script = static_cast<CardScript *>(
            ExAllocatePoolWithTag(NonPagedPool, sizeof(CardScript), kPoolTag));
        if (!script) {
            status = STATUS_INSUFFICIENT_RESOURCES;
        } else {
            // A scripted refusal is told by the first request on the handle.
            LoadCardScript(context->card, script);
            stack->FileObject->FsContext = script;
        }
    }
    return Complete(irp, status, 0);
}

NTSTATUS NTAPI DispatchClose(PDEVICE_OBJECT, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    if (CardScript *script = ScriptOf(stack)) {
        stack->FileObject->FsContext = nullptr;
        ExFreePoolWithTag(script, kPoolTag);
    }
    return Complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI DispatchCleanup(PDEVICE_OBJECT, PIRP irp) {
    return Complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    const ULONG inLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    const ULONG outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    void *buffer = irp->AssociatedIrp.SystemBuffer;
    ULONG_PTR information = 0;
    NTSTATUS status;

    if (!buffer && (inLength || outLength)) {
        status = STATUS_INVALID_PARAMETER;
    } else if (ContextOf(device)->kind == DeviceKind::Control) {
        status = ControlRequest(code, buffer, inLength, outLength, &information);
    } else if (const CardScript *script = ScriptOf(stack)) {
        status = CardRequest(code, *script, buffer, outLength, &information);
    } else {
        status = STATUS_INVALID_DEVICE_STATE;
    }
    return Complete(irp, status, information);
}

}  // namespace mirvosys
