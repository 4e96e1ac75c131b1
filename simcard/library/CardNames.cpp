#include "CardNames.h"

#include "../include/KvtSimIoctl.h"

namespace mirvo {

bool IsCardName(const char *name) {
    if (!name) return false;
    size_t length = 0;
    for (; name[length]; ++length) {
        const char c = name[length];
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alnum || length >= KVTSIM_MAX_NAME) return false;
    }
    return length > 0;
}

std::string DevicePath(const char *cardName) { return std::string(KVTSIM_USER_PREFIX) + cardName; }

bool CardFromHandle(HANDLE handle, LONG *card) {
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(handle);
    if (value != LONG_PTR(LONG(value)) || LONG(value) == -1) return false;
    *card = LONG(value);
    return true;
}

DWORD CandidateAddress(LONG index) {
    // Every 16 bytes from 0x300 to 0x4F0: the I/O ranges a KVT card can be
    // jumpered to.
    if (index < 0 || index >= 32) return 0;
    return 0x300 + 0x10 * DWORD(index);
}

}  // namespace mirvo
