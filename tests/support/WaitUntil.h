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

// Polls `condition` until it holds (true) or the time is up (false); the
// condition is checked once more at the deadline. Soon at first, then less
// often: a check asks Wine's server many questions (a window search looks at
// every top-level window), and on a machine of few cores the questions of
// long waits (a program's start) took the time of the other cases.
inline bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    constexpr DWORD kFirstStepMs = 10, kLongestStepMs = 80;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (DWORD step = kFirstStepMs;; step = step * 2 < kLongestStepMs ? step * 2 : kLongestStepMs) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(step);
    }
}

}  // namespace kit_test
