// formrt_testlib.dll: a library for the binding tests.
#include <windows.h>

#include <cstring>

namespace {
const char *lastString = nullptr;
}

extern "C" {

__declspec(dllexport) LONG WINAPI Twice(LONG value) {
    SetLastError(0);
    return value * 2;
}

// Returns 0 with `code` as the last-error value.
__declspec(dllexport) LONG WINAPI FailWith(DWORD code) {
    SetLastError(code);
    return 0;
}

// The length of the string, which it then overwrites with 'x's as a library
// may do with its buffer.
__declspec(dllexport) LONG WINAPI Scribble(char *text) {
    lastString = text;
    const size_t length = std::strlen(text);
    std::memset(text, 'x', length);
    return static_cast<LONG>(length);
}

__declspec(dllexport) const char *WINAPI LastString() { return lastString; }

// Fills four consecutive floats as MirvoGetCurrentWeight4 does.
__declspec(dllexport) LONG WINAPI FillFour(LONG first, float *weights) {
    for (int i = 0; i < 4; ++i) weights[i] = static_cast<float>(first + i) + 0.5f;
    return 1;
}
}
