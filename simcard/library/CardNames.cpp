#include "CardNames.h"

#include <stdio.h>

#include "../include/KvtSimIoctl.h"

namespace mirvo {

std::string DevicePath(const char *cardName) { return std::string(KVTSIM_USER_PREFIX) + cardName; }

bool CardFromHandle(HANDLE handle, LONG *card) {
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(handle);
    if (value != LONG_PTR(LONG(value)) || LONG(value) == -1) return false;
    *card = LONG(value);
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
