// The thread that owns the card handle: every library call for the card is
// made here, on the window's request, and while reading it reads as fast as
// the card answers (or at a chosen rate, on the kit's drift-free schedule). Readings go to the window
// through a bounded queue that never makes this thread wait for the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "BoundedQueue.h"
#include "CriticalSection.h"
#include "Reading.h"
#include "Schedule.h"
#include "TimerPeriod.h"
#include "UniqueHandle.h"

namespace kvtmon {

enum class CardCommand { Open, Init, Finish, Close, Start, Stop, Quit };

// What the thread has to say after each command (and after a read that
// failed, as CardCommand::Start). The library's text for a failure's code is
// asked for on the thread too: one thread makes every call for the card.
struct CardResult {
    CardCommand command = CardCommand::Quit;
    bool succeeded = false;
    DWORD code = 0;
    std::string libraryText;  // MirvoGetErrorMsg's text of a failure ("none" without one)
};

class CardWorker {
public:
    // `resultMessage` tells `window` that results wait (TakeResult).
    CardWorker(HWND window, UINT resultMessage);
    // Ends the thread as Quit does.
    ~CardWorker();
    CardWorker(const CardWorker &) = delete;
    CardWorker &operator=(const CardWorker &) = delete;

    // False when the thread cannot be made.
    bool Start();

    // Queues a command; `cardName` is for Open. Close and Quit stop reading,
    // finish an initialised card and close it.
    void Request(CardCommand command, const std::string &cardName = std::string());

    // Readings per second; 0: as fast as the card answers. Takes effect at
    // the next Start.
    void SetRate(double rate);

    // Moves the queued readings to `out`; the count the full queue dropped.
    std::uint64_t TakeReadings(std::vector<Reading> &out);

    // The oldest result not taken yet; false when there is none.
    bool TakeResult(CardResult &result);

    // Quit, and waits up to `timeoutMs` for the thread's end; false when it
    // did not end.
    bool Quit(DWORD timeoutMs);

private:
    struct Command {
        CardCommand command;
        std::string cardName;
    };

    static DWORD WINAPI ThreadMain(LPVOID self);
    void Run();
    // Runs one command on the thread; false after Quit.
    bool Execute(const Command &command);
    void ReadOnce();
    void Report(CardCommand command, bool succeeded, DWORD code);
    void FinishAndClose();
    // How long to wait for a command before the next reading is due.
    DWORD WaitMs() const;

    HWND window_;
    UINT resultMessage_;
    kit::KernelHandle wake_;
    kit::KernelHandle thread_;

    mutable CriticalSection lock_;  // guards what follows, up to the thread's own state
    std::deque<Command> commands_;
    std::deque<CardResult> results_;
    BoundedQueue<Reading> queue_;
    double rate_ = 0;

    // The thread's own.
    kit::CardHandle card_;
    bool initialised_ = false;
    bool reading_ = false;
    // A 1 ms timer period while reading: NT's waits otherwise end on its 10-15.6 ms tick.
    std::unique_ptr<readings::TimerPeriod> period_;
    readings::Ticks frequency_ = 1;
    readings::Schedule schedule_{0, 1, 0, 0};
    std::uint64_t nextIndex_ = 0;
};

}  // namespace kvtmon
