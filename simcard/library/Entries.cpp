// Mirvo.dll's entries over the simulated card's driver. Each entry does its
// work, then traces the call when the trace is on.
#define MIRVOAPI
#include "mirvo.h"
#include "MirvoPriv.h"

#include <string.h>

#include <string_view>

#include "../include/KvtCardRules.h"
#include "CardNames.h"
#include "Device.h"
#include "ErrorText.h"
#include "Setup.h"
#include "Trace.h"
#include "TraceFormat.h"
#include "UniqueHandle.h"

using namespace mirvo;

// The library's declarations and the simulation must agree.
static_assert(MIRVO_MAX_CARDS == kvtcard::kMaxCards, "one slot per candidate address");
static_assert(MIRVO_DETECT_NEW_CARD == KVTSIM_DETECT_NEW_CARD, "the new card's state");
static_assert(std::string_view(MIRVO_SERVICE_KEY) == KVTSIM_REG_SERVICE, "the driver's service key");

namespace {
LONG Operate(LONG card, DWORD code) {
    KVTSIM_RESULT result;
    if (!CardRequest(card, code, &result, sizeof result)) return 0;
    return EntryResult(result);
}

LONG Open(LPCSTR deviceName) {
    if (!deviceName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return MIRVO_INVALID_CARD;
    }
    if (!kvtcard::IsCardName(deviceName)) {
        SetLastError(ERROR_INVALID_NAME);
        return MIRVO_INVALID_CARD;
    }
    kit::FileHandle device(CreateFileA(DevicePath(deviceName).c_str(), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
    if (!device) return MIRVO_INVALID_CARD;
    LONG card;
    if (!CardFromHandle(device.get(), &card)) {
        device.reset();
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return MIRVO_INVALID_CARD;
    }
    // The card's answer to the open comes with the first request; the
    // thread's last-error value survives the close of a refused handle.
    if (!Operate(card, IOCTL_KVTSIM_OPEN)) {
        const DWORD reason = GetLastError();
        device.reset();
        SetLastError(reason);
        return MIRVO_INVALID_CARD;
    }
    // From here the caller owns the handle, as the card handle.
    device.release();
    return card;
}

LONG ReadWeights(LONG card, MIRVO_WEIGHTS4 *weights) {
    if (!weights) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    KVTSIM_WEIGHTS_REPLY reply;
    if (!CardRequest(card, IOCTL_KVTSIM_READ_WEIGHTS, &reply, sizeof reply)) return 0;
    if (!EntryResult(reply.Result)) return 0;
    static_assert(sizeof reply.WeightBits == sizeof weights->Channel, "four IEEE singles");
    memcpy(weights->Channel, reply.WeightBits, sizeof weights->Channel);
    return 1;
}

LONG ErrorMessage(DWORD errorCode, LPSTR text, LONG textSize) {
    if (!text || textSize < 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    KVTSIM_ERROR_TEXT_REQUEST request = {errorCode};
    KVTSIM_ERROR_TEXT_REPLY reply;
    if (!ControlRequest(IOCTL_KVTSIM_GET_ERROR_TEXT, &request, sizeof request, &reply,
                        sizeof reply))
        return 0;
    if (!reply.Found) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    return CopyReplyText(reply.Text, sizeof reply.Text, reply.Length, text, textSize) ? 1 : 0;
}

// The trace's last argument: the reason, only for a failed call.
void TraceCall(const char *entry, std::initializer_list<std::string> arguments,
               const std::string &result, const std::string &detail, bool failed) {
    TraceWrite(TraceLine(entry, arguments, result, detail, failed, GetLastError()));
}
}  // namespace

extern "C" {

LONG WINAPI MirvoOpen(LPCSTR deviceName) {
    const LONG card = Open(deviceName);
    if (TraceOn())
        TraceCall("MirvoOpen", {Quoted(deviceName)}, Hex8(DWORD(card)), "",
                  card == MIRVO_INVALID_CARD);
    return card;
}

LONG WINAPI MirvoInit(LONG card) {
    const LONG result = Operate(card, IOCTL_KVTSIM_INIT);
    if (TraceOn()) TraceCall("MirvoInit", {Hex8(DWORD(card))}, Decimal(result), "", !result);
    return result;
}

LONG WINAPI MirvoFinish(LONG card) {
    const LONG result = Operate(card, IOCTL_KVTSIM_FINISH);
    if (TraceOn()) TraceCall("MirvoFinish", {Hex8(DWORD(card))}, Decimal(result), "", !result);
    return result;
}

LONG WINAPI MirvoGetCurrentWeight4(LONG card, MIRVO_WEIGHTS4 *weights) {
    const LONG result = ReadWeights(card, weights);
    if (TraceOn())
        TraceCall("MirvoGetCurrentWeight4", {Hex8(DWORD(card)), Pointer(weights)},
                  Decimal(result), result ? Weights(weights->Channel) : "", !result);
    return result;
}

LONG WINAPI MirvoGetErrorMsg(DWORD errorCode, LPSTR text, LONG textSize) {
    const LONG result = ErrorMessage(errorCode, text, textSize);
    if (TraceOn())
        TraceCall("MirvoGetErrorMsg", {Hex8(errorCode), Pointer(text), Decimal(textSize)},
                  Decimal(result), "", !result);
    return result;
}

DWORD WINAPI MirvoGetCardAddr(LONG index) {
    const DWORD address = kvtcard::CandidateAddress(index);
    if (TraceOn()) TraceCall("MirvoGetCardAddr", {Decimal(index)}, Hex8(address), "", false);
    return address;
}

LONG WINAPI MirvoDetect(DWORD address, DWORD *state) {
    const LONG result = Detect(address, state);
    if (TraceOn())
        TraceCall("MirvoDetect", {Hex8(address), Pointer(state)}, Decimal(result),
                  result ? "state=" + Decimal(LONG(*state)) : "", !result);
    return result;
}

LONG WINAPI MirvoSetup(HWND owner, LPCSTR cardName, LONG mode) {
    const LONG result = Setup(owner, cardName, mode);
    if (TraceOn())
        TraceCall("MirvoSetup",
                  {Hex8(DWORD(reinterpret_cast<ULONG_PTR>(owner))), Quoted(cardName), Decimal(mode)},
                  Decimal(result), "", !result);
    return result;
}

}  // extern "C"
