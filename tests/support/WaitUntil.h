// The one bounded wait of the tests: a stuck program or service fails the
// test instead of hanging it.
#pragma once

#include <windows.h>

#include <functional>

namespace kit_test {

constexpr DWORD kDefaultTimeoutMs = 5000;

// A program's start under Wine on a busy machine (a Wine desktop to start,
// other cases and builds beside it) can take longer than a click's answer:
// waiting for its first window gets more time, still bounded.
constexpr DWORD kProgramStartTimeoutMs = 20000;

// Polls `condition` every few milliseconds until it holds (true) or the time
// is up (false). The condition is checked once more at the deadline.
inline bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

}  // namespace kit_test
