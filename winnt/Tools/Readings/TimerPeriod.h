// A 1 ms timer period while an object lives. NT's waits and timers end on
// the system's tick, 10 to 15.6 ms unless a program asks for less
// (timeBeginPeriod, since NT 3.1): without it, a wait of 4 ms takes a whole
// tick, and readings due every 5 ms come in bursts.
#pragma once

#include <windows.h>
#include <mmsystem.h>

namespace readings {

class TimerPeriod {
public:
    TimerPeriod() : asked_(timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~TimerPeriod() {
        if (asked_) timeEndPeriod(1);
    }
    TimerPeriod(const TimerPeriod &) = delete;
    TimerPeriod &operator=(const TimerPeriod &) = delete;

private:
    bool asked_;
};

}  // namespace readings
