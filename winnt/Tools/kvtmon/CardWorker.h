// The thread that owns the card handle: every library call for the card is
// made here, on the window's request, and while reading it reads as fast as
// the card answers (or at a chosen rate, on the kit's drift-free schedule). Readings go to the window
// through a bounded queue that never makes this thread wait for the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "BoundedQueue.h"
#include "CriticalSection.h"
#include "Reading.h"
#include "Schedule.h"
#include "UniqueHandle.h"

namespace kvtmon {

enum class CardCommand { Open, Init, Finish, Close, Start, Stop, Quit };

// What the thread posts to the window after each command (and after a read
// that failed, as CardCommand::Start): wParam is MAKEWPARAM(command,
// succeeded), lParam the last-error code of a failure.
struct CardResult {
    CardCommand command;
    bool succeeded;
    DWORD code;
};
CardResult DecodeCardResult(WPARAM wParam, LPARAM lParam);

class CardWorker {
public:
    // Results go to `window` as `resultMessage`.
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
    BoundedQueue<Reading> queue_;
    double rate_ = 0;

    // The thread's own.
    kit::CardHandle card_;
    bool initialised_ = false;
    bool reading_ = false;
    readings::Ticks frequency_ = 1;
    readings::Schedule schedule_{0, 1, 0, 0};
    std::uint64_t nextIndex_ = 0;
};

}  // namespace kvtmon
