#include "CardNames.h"

#include <stdio.h>

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

bool SlotOfCardName(const char *name, int *slot) {
    if (!name || name[0] != 'K' || name[1] != 'V' || name[2] != 'T') return false;
    int number = 0;
    const char *digit = name + 3;
    for (; *digit >= '0' && *digit <= '9' && number <= 32; ++digit) number = number * 10 + (*digit - '0');
    if (*digit || digit == name + 3 || name[3] == '0' || number < 1 || number > 32) return false;
    *slot = number - 1;
    return true;
}

std::string AddressText(DWORD address) {
    char text[16];
    snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(address));
    return text;
}

bool ParseAddressText(const std::string &text, DWORD *address) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) return false;
    std::string digits = text.substr(begin, end - begin + 1);
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits = digits.substr(2);
    if (digits.empty() || digits.size() > 8) return false;
    DWORD value = 0;
    for (char c : digits) {
        int v;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else return false;
        value = value * 16 + DWORD(v);
    }
    *address = value;
    return true;
}

}  // namespace mirvo
