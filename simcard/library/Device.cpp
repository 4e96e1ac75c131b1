#include "Device.h"

#include "CardNames.h"
#include "UniqueHandle.h"

namespace mirvo {

namespace {
bool Exchange(HANDLE device, DWORD code, const void *request, DWORD requestSize, void *reply,
              DWORD replySize) {
    DWORD returned = 0;
    if (!DeviceIoControl(device, code, const_cast<void *>(request), requestSize, reply, replySize,
                         &returned, nullptr))
        return false;
    if (returned != replySize) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    return true;
}

}  // namespace

bool CardRequest(LONG card, DWORD code, void *reply, DWORD replySize) {
    // -1 is the failed open that some callers pass on; as a handle it would
    // name the calling process itself.
    if (card == -1) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return Exchange(HandleFromCard(card), code, nullptr, 0, reply, replySize);
}

bool ControlRequest(DWORD code, const void *request, DWORD requestSize, void *reply,
                    DWORD replySize) {
    const kit::FileHandle control(CreateFileA(KVTSIM_CONTROL_PATH, GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    if (!control) return false;
    return Exchange(control.get(), code, request, requestSize, reply, replySize);
}

LONG EntryResult(const KVTSIM_RESULT &result) {
    if (result.Ok) return 1;
    SetLastError(result.LastError);
    return 0;
}

}  // namespace mirvo
