// A kit program built for a test with a probe linked in (ProgramProbe.cpp):
// its waits and timers end on a tick as coarse as real NT's, and it counts
// what a test cannot see from outside: the pictures it copies to the
// screen, the timer periods it asks for, and the threads it calls the card
// library from. The counters sit in shared memory that the test names in
// the program's environment (KIT_PROBE) before it starts it.
#pragma once

#include <windows.h>

#include <string>

namespace kit_test {

constexpr char kProbeVariable[] = "KIT_PROBE";
// NT's default tick, 64 a second; and the tick once a program asks for 1 ms.
constexpr double kCoarseTickMs = 15.625;
constexpr double kFineTickMs = 1.0;

struct ProbeCounters {
    volatile LONG pictures;           // BitBlt calls: the chart's copies to the screen
    volatile LONG periodsHeld;        // timeBeginPeriod(1) not yet given back
    volatile LONG periodsAsked;       // timeBeginPeriod(1) calls in all
    volatile LONG errorTextCalls;      // MirvoGetErrorMsg calls
    volatile LONG errorTextsElsewhere; // of them, on another thread than MirvoOpen's
    volatile LONG coarseWaits;         // timed waits that ended on NT's 15.625 ms tick
    volatile LONG timerMs;             // the last timer's interval, as NT's tick makes it
};

// The test's side: makes the counters and puts their name in this
// process's environment, which the programs it starts inherit.
class Probe {
public:
    Probe();
    ~Probe();
    Probe(const Probe &) = delete;
    Probe &operator=(const Probe &) = delete;
    const ProbeCounters &Counters() const { return *counters_; }

private:
    HANDLE mapping_ = nullptr;
    ProbeCounters *counters_ = nullptr;
};

}  // namespace kit_test
