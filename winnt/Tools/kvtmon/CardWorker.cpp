#include "CardWorker.h"

#include "LibraryMessage.h"
#include "mirvo.h"

namespace kvtmon {

namespace {
// Two seconds of readings at the simulated card's fastest: the window takes
// them twenty times a second.
constexpr std::size_t kQueueCapacity = 8192;

readings::Ticks Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

CardWorker::CardWorker(HWND window, UINT resultMessage)
    : window_(window), resultMessage_(resultMessage), queue_(kQueueCapacity) {
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) frequency_ = frequency.QuadPart;
}

CardWorker::~CardWorker() { Quit(INFINITE); }

bool CardWorker::Start() {
    wake_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!wake_) return false;
    DWORD id = 0;
    thread_.reset(CreateThread(nullptr, 0, ThreadMain, this, 0, &id));
    return thread_.valid();
}

void CardWorker::Request(CardCommand command, const std::string &cardName) {
    {
        CriticalSection::Lock lock(lock_);
        commands_.push_back(Command{command, cardName});
    }
    if (wake_) SetEvent(wake_.get());
}

void CardWorker::SetRate(double rate) {
    CriticalSection::Lock lock(lock_);
    rate_ = rate;
}

std::uint64_t CardWorker::TakeReadings(std::vector<Reading> &out) {
    CriticalSection::Lock lock(lock_);
    queue_.TakeAll(out);
    return queue_.Dropped();
}

bool CardWorker::TakeResult(CardResult &result) {
    CriticalSection::Lock lock(lock_);
    if (results_.empty()) return false;
    result = std::move(results_.front());
    results_.pop_front();
    return true;
}

bool CardWorker::Quit(DWORD timeoutMs) {
    if (!thread_) return true;
    Request(CardCommand::Quit);
    if (WaitForSingleObject(thread_.get(), timeoutMs) != WAIT_OBJECT_0) return false;
    thread_.reset();
    return true;
}

DWORD WINAPI CardWorker::ThreadMain(LPVOID self) {
    static_cast<CardWorker *>(self)->Run();
    return 0;
}

DWORD CardWorker::WaitMs() const {
    if (!reading_) return INFINITE;
    const readings::Ticks wait = schedule_.WaitBefore(nextIndex_, Now());
    // Whole milliseconds, rounded up: waking early would only wait again.
    return static_cast<DWORD>((wait * 1000 + frequency_ - 1) / frequency_);
}

void CardWorker::Run() {
    for (;;) {
        WaitForSingleObject(wake_.get(), WaitMs());
        std::deque<Command> commands;
        {
            CriticalSection::Lock lock(lock_);
            commands.swap(commands_);
        }
        for (const Command &command : commands) {
            if (!Execute(command)) return;
        }
        if (reading_ && WaitMs() == 0) ReadOnce();
    }
}

bool CardWorker::Execute(const Command &command) {
    switch (command.command) {
    case CardCommand::Open: {
        FinishAndClose();
        card_.reset(MirvoOpen(command.cardName.c_str()));
        const DWORD code = card_ ? 0 : GetLastError();
        Report(command.command, card_.valid(), code);
        break;
    }
    case CardCommand::Init: {
        const bool ok = MirvoInit(card_.get()) != 0;
        const DWORD code = ok ? 0 : GetLastError();
        if (ok) initialised_ = true;
        Report(command.command, ok, code);
        break;
    }
    case CardCommand::Finish: {
        const bool ok = MirvoFinish(card_.get()) != 0;
        const DWORD code = ok ? 0 : GetLastError();
        if (ok) initialised_ = false;
        Report(command.command, ok, code);
        break;
    }
    case CardCommand::Start: {
        double rate;
        {
            CriticalSection::Lock lock(lock_);
            rate = rate_;
        }
        // Late: taken more than a millisecond after its due time.
        schedule_ = readings::Schedule(Now(), frequency_, rate, frequency_ / 1000);
        nextIndex_ = 0;
        reading_ = true;
        if (!period_) period_ = std::make_unique<readings::TimerPeriod>();
        Report(command.command, true, 0);
        break;
    }
    case CardCommand::Stop:
        reading_ = false;
        period_.reset();
        Report(command.command, true, 0);
        break;
    case CardCommand::Close:
        FinishAndClose();
        Report(command.command, true, 0);
        break;
    case CardCommand::Quit:
        FinishAndClose();
        return false;
    }
    return true;
}

void CardWorker::FinishAndClose() {
    reading_ = false;
    period_.reset();
    if (card_ && initialised_) MirvoFinish(card_.get());
    initialised_ = false;
    card_.reset();
}

void CardWorker::ReadOnce() {
    MIRVO_WEIGHTS4 weights;
    if (!MirvoGetCurrentWeight4(card_.get(), &weights)) {
        const DWORD code = GetLastError();
        reading_ = false;
        period_.reset();
        Report(CardCommand::Start, false, code);
        return;
    }
    Reading reading;
    reading.ticks = Now();
    // The chart's and the rate's milliseconds from the same counter: the
    // system's tick count moves in steps of 10 to 16 ms.
    reading.timeMs = static_cast<std::uint32_t>(readings::TicksToMicroseconds(reading.ticks, frequency_) / 1000);
    for (int channel = 0; channel < kChannels; ++channel) reading.weights[channel] = weights.Channel[channel];
    schedule_.Taken(nextIndex_++, reading.ticks);
    CriticalSection::Lock lock(lock_);
    queue_.Push(reading);
}

void CardWorker::Report(CardCommand command, bool succeeded, DWORD code) {
    CardResult result{command, succeeded, code, succeeded ? std::string() : mirvo_dw32::LibraryMessage(code)};
    {
        CriticalSection::Lock lock(lock_);
        results_.push_back(std::move(result));
    }
    PostMessageA(window_, resultMessage_, 0, 0);
}

}  // namespace kvtmon
