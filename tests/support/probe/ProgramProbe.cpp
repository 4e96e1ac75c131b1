// Linked into a test build of a kit program (never into the kit): replaces,
// before the program's main runs, its imports of the wait, timer and
// picture functions and of two card library entries (ImportHook.h).
//  - A wait with a timeout ends on the next tick of NT's clock, 15.625 ms,
//    or of 1 ms while the program holds timeBeginPeriod(1); Wine's waits are
//    exact, NT's are not. A signalled object still ends it at once.
//  - A timer's interval is rounded up to whole ticks of 15.625 ms.
#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <list>

#include "ImportHook.h"
#include "ProgramProbe.h"
#include "mirvo.h"

namespace {

using kit_test::ImportHook;
using kit_test::ProbeCounters;

ProbeCounters g_unshared = {};
ProbeCounters *g_counters = &g_unshared;
volatile DWORD g_cardThread = 0;

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double TickMs() { return g_counters->periodsHeld > 0 ? kit_test::kFineTickMs : kit_test::kCoarseTickMs; }

// The first tick at or after `ms`.
double NextTick(double ms) {
    const double tick = TickMs();
    return std::ceil(ms / tick) * tick;
}

using WaitFn = DWORD(WINAPI *)(HANDLE, DWORD);
using SleepFn = void(WINAPI *)(DWORD);
using SetTimerFn = UINT_PTR(WINAPI *)(HWND, UINT_PTR, UINT, TIMERPROC);
using PeriodFn = MMRESULT(WINAPI *)(UINT);
using BitBltFn = BOOL(WINAPI *)(HDC, int, int, int, int, HDC, int, int, DWORD);
using OpenFn = LONG(WINAPI *)(LPCSTR);
using TextFn = LONG(WINAPI *)(DWORD, LPSTR, LONG);

struct Originals {
    WaitFn wait;
    SleepFn sleep;
    SetTimerFn setTimer;
    PeriodFn beginPeriod, endPeriod;
    BitBltFn bitBlt;
    OpenFn open;
    TextFn text;
} g_real = {};

// A timed wait on the coarse tick (no 1 ms period held) is counted.
void CountIfCoarse() {
    if (g_counters->periodsHeld <= 0) InterlockedIncrement(&g_counters->coarseWaits);
}

DWORD WINAPI CoarseWait(HANDLE handle, DWORD ms) {
    if (ms == 0 || ms == INFINITE) return g_real.wait(handle, ms);
    CountIfCoarse();
    const double wake = NextTick(NowMs() + ms);
    for (;;) {
        const double left = wake - NowMs();
        if (left <= 0) return WAIT_TIMEOUT;
        const DWORD result = g_real.wait(handle, static_cast<DWORD>(std::ceil(left)));
        if (result != WAIT_TIMEOUT) return result;
    }
}

void WINAPI CoarseSleep(DWORD ms) {
    if (ms == 0 || ms == INFINITE) return g_real.sleep(ms);
    CountIfCoarse();
    const double wake = NextTick(NowMs() + ms);
    for (double left = wake - NowMs(); left > 0; left = wake - NowMs()) g_real.sleep(static_cast<DWORD>(std::ceil(left)));
}

UINT_PTR WINAPI CoarseSetTimer(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure) {
    const double ticks = std::ceil((ms < 1 ? 1 : ms) / kit_test::kCoarseTickMs);
    const UINT onTicks = static_cast<UINT>(std::ceil(ticks * kit_test::kCoarseTickMs));
    InterlockedExchange(&g_counters->timerMs, static_cast<LONG>(onTicks));
    return g_real.setTimer(window, id, onTicks, procedure);
}

MMRESULT WINAPI CountedBeginPeriod(UINT period) {
    const MMRESULT result = g_real.beginPeriod(period);
    if (result == TIMERR_NOERROR && period <= 1) {
        InterlockedIncrement(&g_counters->periodsHeld);
        InterlockedIncrement(&g_counters->periodsAsked);
    }
    return result;
}

MMRESULT WINAPI CountedEndPeriod(UINT period) {
    const MMRESULT result = g_real.endPeriod(period);
    if (result == TIMERR_NOERROR && period <= 1) InterlockedDecrement(&g_counters->periodsHeld);
    return result;
}

BOOL WINAPI CountedBitBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY, DWORD rop) {
    InterlockedIncrement(&g_counters->pictures);
    return g_real.bitBlt(to, x, y, width, height, from, fromX, fromY, rop);
}

// The card's thread is the one that opened it.
LONG WINAPI ProbedOpen(LPCSTR name) {
    if (g_cardThread == 0) g_cardThread = GetCurrentThreadId();
    return g_real.open(name);
}

LONG WINAPI ProbedText(DWORD code, LPSTR text, LONG size) {
    InterlockedIncrement(&g_counters->errorTextCalls);
    if (g_cardThread != GetCurrentThreadId()) InterlockedIncrement(&g_counters->errorTextsElsewhere);
    return g_real.text(code, text, size);
}

template <typename Fn>
void Hook(const char *name, Fn replacement, Fn &original) {
    // The hooks stay for the program's whole life.
    static std::list<ImportHook> hooks;
    hooks.emplace_back(name, reinterpret_cast<void *>(replacement));
    original = reinterpret_cast<Fn>(hooks.back().Original());
}

struct InstallProbe {
    InstallProbe() {
        char name[64];
        if (GetEnvironmentVariableA(kit_test::kProbeVariable, name, sizeof name) - 1 < sizeof name - 1) {
            if (HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name)) {
                if (void *view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) g_counters = static_cast<ProbeCounters *>(view);
            }
        }
        Hook("WaitForSingleObject", CoarseWait, g_real.wait);
        Hook("Sleep", CoarseSleep, g_real.sleep);
        Hook("SetTimer", CoarseSetTimer, g_real.setTimer);
        Hook("timeBeginPeriod", CountedBeginPeriod, g_real.beginPeriod);
        Hook("timeEndPeriod", CountedEndPeriod, g_real.endPeriod);
        Hook("BitBlt", CountedBitBlt, g_real.bitBlt);
        Hook("MirvoOpen", ProbedOpen, g_real.open);
        Hook("MirvoGetErrorMsg", ProbedText, g_real.text);
    }
} g_install;

}  // namespace
