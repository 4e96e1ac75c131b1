// The ways a registry value can be wrong, for the tests of hostile script
// and slot data: of another type than its own, or of its own type with 0, 1,
// 2 or 8 bytes, or 64 KB.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

struct ValueShape {
    const char *what;
    bool otherType;
    size_t size;  // with the value's own type
};

const ValueShape kValueShapes[] = {
    {"of another type", true, 0}, {"of 0 bytes", false, 0}, {"of 1 byte", false, 1},
    {"of 2 bytes", false, 2},     {"of 8 bytes", false, 8}, {"of 64 KB", false, 65536},
};

struct HostileValue {
    DWORD type;
    std::vector<BYTE> data;
};

// A value that a lenient reader would take as `payload`: the payload itself
// under another type, or its head or the payload and junk in the shape's size.
inline HostileValue Shaped(const ValueShape &shape, DWORD type, DWORD otherType, std::vector<BYTE> payload) {
    if (shape.otherType) return {otherType, payload};
    payload.resize(shape.size, 0xbd);
    return {type, payload};
}

inline std::vector<BYTE> DwordBytes(DWORD value) {
    std::vector<BYTE> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

inline std::vector<BYTE> TextBytes(const char *text, bool withZero = false) {
    return std::vector<BYTE>(text, text + std::strlen(text) + (withZero ? 1 : 0));
}
