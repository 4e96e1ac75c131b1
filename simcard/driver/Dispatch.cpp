#include "Dispatch.h"

#include "../include/KvtSimIoctl.h"
#include "CardScript.h"
#include "Detect.h"
#include "Devices.h"
#include "ErrorTexts.h"
#include "RequestCheck.h"
#include "Signal.h"

namespace mirvosys {

// The request check's own constants and the contract must agree.
static_assert(request::kOpen == IOCTL_KVTSIM_OPEN, "open");
static_assert(request::kInit == IOCTL_KVTSIM_INIT, "init");
static_assert(request::kFinish == IOCTL_KVTSIM_FINISH, "finish");
static_assert(request::kReadWeights == IOCTL_KVTSIM_READ_WEIGHTS, "read weights");
static_assert(request::kGetErrorText == IOCTL_KVTSIM_GET_ERROR_TEXT, "error text");
static_assert(request::kDetect == IOCTL_KVTSIM_DETECT, "detect");
static_assert(request::kResultSize == sizeof(KVTSIM_RESULT), "result");
static_assert(request::kWeightsReplySize == sizeof(KVTSIM_WEIGHTS_REPLY), "weights reply");
static_assert(request::kErrorTextRequestSize == sizeof(KVTSIM_ERROR_TEXT_REQUEST), "text request");
static_assert(request::kErrorTextReplySize == sizeof(KVTSIM_ERROR_TEXT_REPLY), "text reply");
static_assert(request::kDetectRequestSize == sizeof(KVTSIM_DETECT_REQUEST), "detect request");
static_assert(request::kDetectReplySize == sizeof(KVTSIM_DETECT_REPLY), "detect reply");

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

NTSTATUS StatusOf(Verdict verdict) {
    switch (verdict) {
    case Verdict::Accept: return STATUS_SUCCESS;
    case Verdict::NoCardState: return STATUS_INVALID_DEVICE_STATE;
    case Verdict::BufferTooSmall: return STATUS_BUFFER_TOO_SMALL;
    case Verdict::InvalidParameter: return STATUS_INVALID_PARAMETER;
    case Verdict::UnknownRequest:
    default: return STATUS_INVALID_DEVICE_REQUEST;
    }
}

void AnswerFault(const ScriptedFault &fault, KVTSIM_RESULT *reply) {
    reply->Ok = !fault.fails;
    reply->LastError = fault.fails ? fault.lastError : 0;
}

// A card request whose buffers CheckRequest accepted: every reply starts
// with the result.
NTSTATUS AnswerCard(ULONG code, const CardScript &script, void *buffer) {
    switch (code) {
    case IOCTL_KVTSIM_OPEN: {
        auto *reply = static_cast<KVTSIM_RESULT *>(buffer);
        reply->Ok = !script.openFails;
        reply->LastError = script.openFails ? KVTSIM_OPEN_REFUSED_ERROR : 0;
        return STATUS_SUCCESS;
    }
    case IOCTL_KVTSIM_INIT:
        AnswerFault(script.init, static_cast<KVTSIM_RESULT *>(buffer));
        return STATUS_SUCCESS;
    case IOCTL_KVTSIM_FINISH:
        AnswerFault(script.finish, static_cast<KVTSIM_RESULT *>(buffer));
        return STATUS_SUCCESS;
    case IOCTL_KVTSIM_READ_WEIGHTS: {
        auto *reply = static_cast<KVTSIM_WEIGHTS_REPLY *>(buffer);
        RtlZeroMemory(reply, sizeof *reply);
        if (script.read.fails) {
            reply->Result.LastError = script.read.lastError;
            return STATUS_SUCCESS;
        }
        reply->Result.Ok = 1;
        const ULONGLONG now = script.fixedWeights ? 0 : Milliseconds();
        for (unsigned channel = 0; channel < 4; ++channel) {
            reply->WeightBits[channel] = script.fixedWeights
                                             ? script.weightBits[channel]
                                             : FloatBitsFromMilli(SignalMilli(channel, now));
        }
        return STATUS_SUCCESS;
    }
    default:
        return STATUS_INVALID_DEVICE_REQUEST;
    }
}

// A control request whose buffers CheckRequest accepted. Request and reply
// share the system buffer: the request's fields are taken first.
NTSTATUS AnswerControl(ULONG code, void *buffer) {
    switch (code) {
    case IOCTL_KVTSIM_GET_ERROR_TEXT: {
        const ULONG errorCode = static_cast<KVTSIM_ERROR_TEXT_REQUEST *>(buffer)->Code;
        auto *reply = static_cast<KVTSIM_ERROR_TEXT_REPLY *>(buffer);
        RtlZeroMemory(reply, sizeof *reply);
        LookUpErrorText(errorCode, reply);
        return STATUS_SUCCESS;
    }
    case IOCTL_KVTSIM_DETECT: {
        const ULONG address = static_cast<KVTSIM_DETECT_REQUEST *>(buffer)->Address;
        auto *reply = static_cast<KVTSIM_DETECT_REPLY *>(buffer);
        RtlZeroMemory(reply, sizeof *reply);
        DetectAt(address, reply);
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
        ExFreePool(script);
    }
    return Complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI DispatchCleanup(PDEVICE_OBJECT, PIRP irp) {
    return Complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    void *buffer = irp->AssociatedIrp.SystemBuffer;
    const DeviceKind kind = ContextOf(device)->kind;
    const CardScript *script = kind == DeviceKind::Card ? ScriptOf(stack) : nullptr;

    // Every buffer is the caller's: nothing is touched before the check.
    const RequestVerdict verdict = CheckRequest({kind, code,
                                                 stack->Parameters.DeviceIoControl.InputBufferLength,
                                                 stack->Parameters.DeviceIoControl.OutputBufferLength,
                                                 buffer != nullptr, script != nullptr});
    NTSTATUS status = StatusOf(verdict.verdict);
    if (NT_SUCCESS(status))
        status = kind == DeviceKind::Card ? AnswerCard(code, *script, buffer) : AnswerControl(code, buffer);
    return Complete(irp, status, NT_SUCCESS(status) ? verdict.replySize : 0);
}

}  // namespace mirvosys
