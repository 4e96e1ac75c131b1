// kvtlog.exe: records a KVT card's four weights to a CSV file, at a set rate
// or as fast as the card answers, on the card library's reader entries
// alone (MirvoOpen, MirvoInit, MirvoGetCurrentWeight4, MirvoFinish,
// MirvoGetErrorMsg). The pure rules: Options.h and kit_readings.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CsvText.h"
#include "Options.h"
#include "Output.h"
#include "Schedule.h"
#include "LineWriter.h"
#include "Tally.h"
#include "TimerPeriod.h"
#include "mirvo.h"

using namespace kvtlog;
using readings::Ticks;

namespace {

// --- stopping: Ctrl+C, Ctrl+Break, the console closed ---------------------
// The handler runs on a thread of its own: it sets the flag and the event,
// and for a close (after which the system ends the process) waits until
// the run has finished its file and the card.
volatile LONG g_stopSignal = 0;  // 0, or the control event + 1
HANDLE g_stopEvent = nullptr;    // set once a stop is asked for
HANDLE g_doneEvent = nullptr;    // set once the file and the card are done

BOOL WINAPI OnConsoleControl(DWORD event) {
    InterlockedCompareExchange(const_cast<LONG *>(&g_stopSignal), static_cast<LONG>(event) + 1, 0);
    if (g_stopEvent) SetEvent(g_stopEvent);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        if (g_doneEvent) WaitForSingleObject(g_doneEvent, 4500);
    }
    return TRUE;
}

bool StopAsked() { return g_stopSignal != 0; }

std::string StopText(LONG signal) {
    switch (signal - 1) {
    case CTRL_C_EVENT: return "stopped by Ctrl+C";
    case CTRL_BREAK_EVENT: return "stopped by Ctrl+Break";
    case CTRL_CLOSE_EVENT: return "stopped: the console was closed";
    default: return "stopped: the session ends";
    }
}

// --- texts ------------------------------------------------------------------

std::string Hex8(DWORD code) {
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(code >> shift) & 0xF];
    return text;
}

// "error 1167 (0x0000048F): <text>", the library's text for the code first,
// the system's when the library has none.
std::string ErrorDescription(DWORD code) {
    char text[MIRVO_ERROR_TEXT_SIZE + 1] = {};
    std::string description;
    if (MirvoGetErrorMsg(code, text, MIRVO_ERROR_TEXT_SIZE)) {
        description.assign(text);  // a 256-byte text has no zero of its own: text[256] is
        while (!description.empty() && (description.back() == '\r' || description.back() == '\n'))
            description.pop_back();
    }
    if (description.empty()) description = SystemText(code);
    if (description.empty()) description = "no text for this code";
    return "error " + std::to_string(code) + " (" + Hex8(code) + "): " + description;
}

void Say(const std::string &line) { WriteErrorLine("kvtlog: " + line); }

// --- the performance counter ------------------------------------------------

Ticks Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Waits until `due` or a stop: the stop event for the whole milliseconds,
// then yields for the rest. False when a stop was asked for.
bool WaitUntil(Ticks due, Ticks frequency) {
    for (;;) {
        if (StopAsked()) return false;
        const Ticks now = Now();
        if (now >= due) return true;
        const Ticks remaining = due - now;
        const Ticks milliseconds = remaining >= frequency * 60 ? 60000 : remaining * 1000 / frequency;
        if (milliseconds >= 1) {
            const DWORD wait = static_cast<DWORD>(milliseconds);
            if (WaitForSingleObject(g_stopEvent, wait) == WAIT_OBJECT_0) return false;
        } else {
            Sleep(0);
        }
    }
}

// --- the status line on a console -------------------------------------------

// Shown when standard error is a console, and the readings do not go to
// the same console (they would tear it).
class StatusLine {
public:
    explicit StatusLine(bool readingsToConsole)
        : handle_(GetStdHandle(STD_ERROR_HANDLE)), shown_(!readingsToConsole && IsConsole(handle_)) {
        if (shown_) {
            CONSOLE_SCREEN_BUFFER_INFO info;
            GetConsoleScreenBufferInfo(handle_, &info);
            width_ = info.dwSize.X > 1 ? info.dwSize.X - 1 : 0;
            if (width_ >= readings::kStatusSize) width_ = readings::kStatusSize - 1;
        }
    }
    bool Shown() const { return shown_; }
    void Show(std::uint64_t count, double rate, double seconds, const float *weights) {
        if (!shown_) return;
        char line[readings::kStatusSize];
        std::size_t length = readings::FormatStatus(count, rate, seconds, weights, line);
        if (length > width_) length = width_;
        Write(line, length);
    }
    void Clear() {
        if (!shown_) return;
        Write("", 0);
        DWORD written;
        WriteFile(handle_, "\r", 1, &written, nullptr);
    }

private:
    // "\r", the text, blanks up to the width (an older, longer line goes).
    void Write(const char *text, std::size_t length) {
        char line[readings::kStatusSize + 2];
        line[0] = '\r';
        std::size_t used = 1;
        for (std::size_t i = 0; i < width_; ++i) line[used++] = i < length ? text[i] : ' ';
        DWORD written;
        WriteFile(handle_, line, static_cast<DWORD>(used), &written, nullptr);
    }
    HANDLE handle_;
    bool shown_;
    std::size_t width_ = 0;
};

// --- the run ----------------------------------------------------------------

// The card's handle: closed with CloseHandle, like the samples do.
void CloseCard(LONG card) { CloseHandle(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(card))); }

// The output, opened and checked before the card is touched: a mistyped
// name or a file of other readings costs no MirvoInit.
struct Output {
    HANDLE handle = nullptr;
    bool toFile = false;
    bool created = false;      // the file did not exist before this run
    bool writeHeader = true;   // false when appending to a file that has one
    bool startNewLine = false; // appending to a file whose last line has no line end
    std::string place;         // the file's name, or "standard output"
};

// The first line of an open file (without its line end), at most 512 bytes.
std::string FirstLine(HANDLE file) {
    char text[512];
    DWORD got = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    if (!ReadFile(file, text, sizeof text, &got, nullptr)) got = 0;
    std::string line(text, got);
    const std::size_t end = line.find('\n');
    if (end != std::string::npos) line.resize(end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool LastByteIsLineEnd(HANDLE file) {
    LONG high = -1;
    if (SetFilePointer(file, -1, &high, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return true;
    char last = 0;
    DWORD got = 0;
    return !ReadFile(file, &last, 1, &got, nullptr) || got != 1 || last == '\n';
}

// The exit code of a refusal (0: the output is ready).
int OpenOutput(const Options &options, Output &output) {
    output.toFile = !options.file.empty();
    output.place = output.toFile ? options.file : "standard output";
    if (!output.toFile) {
        output.handle = GetStdHandle(STD_OUTPUT_HANDLE);
        if (output.handle == nullptr || output.handle == INVALID_HANDLE_VALUE) {
            Say("there is no standard output to write to (give -o FILE)");
            return kExitFileFailed;
        }
        return kExitDone;
    }
    // An existing file is overwritten only once the card is ready (below).
    const bool refuse = options.existing == Existing::Refuse;
    const DWORD access = GENERIC_WRITE | (options.existing == Existing::Append ? GENERIC_READ : 0);
    output.handle = CreateFileA(options.file.c_str(), access, FILE_SHARE_READ, nullptr,
                                refuse ? CREATE_NEW : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    if (output.handle == INVALID_HANDLE_VALUE) {
        if (error == ERROR_FILE_EXISTS)
            Say("the file " + options.file + " exists: give -w to overwrite it or -a to append to it");
        else
            Say("cannot create " + options.file + ": " + SystemText(error));
        return kExitFileFailed;
    }
    output.created = refuse || error != ERROR_ALREADY_EXISTS;
    if (options.existing == Existing::Append && !output.created) {
        DWORD high = 0;
        const DWORD low = GetFileSize(output.handle, &high);
        if (low != 0 || high != 0) {
            // One file, one card and one layout: its header must be the one this run would write.
            std::string header = readings::CsvHeader(options.card);
            header.resize(header.size() - 2);
            const std::string first = FirstLine(output.handle);
            if (first != header) {
                Say("cannot append to " + options.file + ": its first line is not the header of " + options.card +
                    "'s readings (\"" + first.substr(0, 80) + "\"); give another file, or -w to overwrite it");
                CloseHandle(output.handle);
                return kExitBadOptions;
            }
            output.writeHeader = false;
            output.startNewLine = !LastByteIsLineEnd(output.handle);
        }
        LONG moveHigh = 0;
        SetFilePointer(output.handle, 0, &moveHigh, FILE_END);
    }
    return kExitDone;
}

// A run that never read: a file it made goes again, an existing one stays.
void DiscardOutput(const Options &options, const Output &output) {
    if (!output.toFile) return;
    CloseHandle(output.handle);
    if (output.created) DeleteFileA(options.file.c_str());
}

int Record(const Options &options) {
    g_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_doneEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Ctrl+C too when the caller started this program in a process group of
    // its own (which turns Ctrl+C off by default).
    SetConsoleCtrlHandler(nullptr, FALSE);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);

    Output output;
    if (const int refused = OpenOutput(options, output)) return refused;

    const LONG card = MirvoOpen(options.card.c_str());
    if (card == MIRVO_INVALID_CARD) {
        const DWORD code = GetLastError();
        Say("cannot open card " + options.card + ": " + ErrorDescription(code));
        DiscardOutput(options, output);
        return kExitCannotOpen;
    }
    if (!MirvoInit(card)) {
        const DWORD code = GetLastError();
        Say("cannot initialise card " + options.card + " (MirvoInit): " + ErrorDescription(code));
        CloseCard(card);
        DiscardOutput(options, output);
        return kExitCannotInit;
    }
    if (output.toFile && options.existing == Existing::Overwrite) {
        SetFilePointer(output.handle, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(output.handle);
    }

    // One writer for the whole run: its buffer is not on the stack.
    const auto writerStorage = std::make_unique<readings::LineWriter>(output.handle);
    readings::LineWriter &writer = *writerStorage;
    // Lines of the file that are no readings: the header, the end of a last line.
    const std::uint64_t otherLines = (output.writeHeader ? 1 : 0) + (output.startNewLine ? 1 : 0);
    if (output.startNewLine) writer.Append("\r\n");
    if (output.writeHeader) writer.Append(readings::CsvHeader(options.card));

    LARGE_INTEGER frequencyValue;
    QueryPerformanceFrequency(&frequencyValue);
    const Ticks frequency = frequencyValue.QuadPart > 0 ? frequencyValue.QuadPart : 1;
    StatusLine status(!output.toFile && IsConsole(output.handle));
    int result = kExitDone;
    std::uint64_t failedReading = 0;
    DWORD failedCode = 0;
    readings::Tally tally;  // the readings that go to the file
    const Ticks start = Now();
    // Late: taken more than a millisecond after its due time.
    readings::Schedule schedule(start, frequency, options.rate, frequency / 1000);
    {
        const readings::TimerPeriod period;  // waits of a millisecond, not of a tick, while reading
        const bool timed = options.seconds > 0;
        const Ticks end = timed ? start + readings::SecondsToTicks(options.seconds, frequency) : 0;
        const Ticks statusEvery = frequency;  // about once a second
        Ticks nextStatus = start + statusEvery;
        MIRVO_WEIGHTS4 weights = {};
        bool lastOk = false;
        char line[readings::kCsvLineSize];
        for (std::uint64_t k = 0;; ++k) {
            if (options.count != 0 && k >= options.count) break;
            if (StopAsked()) break;
            if (schedule.Paced()) {
                const Ticks due = schedule.Due(k);
                if (timed && due >= end) break;
                if (!WaitUntil(due, frequency)) break;
            }
            const Ticks taken = Now();
            if (timed && !schedule.Paced() && taken >= end) break;
            const bool ok = MirvoGetCurrentWeight4(card, &weights) != 0;
            const DWORD code = ok ? 0 : GetLastError();
            schedule.Taken(k, taken);
            lastOk = ok;
            if (!ok && !options.keepGoing) {
                failedReading = k + 1;
                failedCode = code;
                result = kExitReadFailed;
                break;
            }
            tally.Add(taken - start, ok);
            const std::size_t length = readings::FormatCsvLine(
                readings::TicksToMicroseconds(taken - start, frequency), ok ? weights.Channel : nullptr, line);
            if (!writer.Append(line, length)) {
                result = kExitFileFailed;
                break;
            }
            if (taken >= nextStatus) {
                nextStatus = taken + statusEvery;
                // Once a second the file gets what is buffered, whole lines only.
                if (!writer.Flush()) {
                    result = kExitFileFailed;
                    break;
                }
                const double seconds = readings::TicksToSeconds(taken - start, frequency);
                status.Show(tally.Readings(), seconds > 0 ? double(tally.Readings()) / seconds : 0.0, seconds,
                            lastOk ? weights.Channel : nullptr);
            }
        }
    }
    const Ticks finished = Now();

    // Everything read into the file, the file closed, the card finished.
    if (result != kExitFileFailed && !writer.Flush()) result = kExitFileFailed;
    DWORD fileError = writer.Error();
    if (output.toFile && !CloseHandle(output.handle) && fileError == 0) {
        fileError = GetLastError();
        if (result == kExitDone) result = kExitFileFailed;
    }
    status.Clear();
    const bool finishedCard = MirvoFinish(card) != 0;
    const DWORD finishCode = finishedCard ? 0 : GetLastError();
    CloseCard(card);

    if (result == kExitReadFailed)
        Say("reading " + std::to_string(failedReading) + " failed: " + ErrorDescription(failedCode));
    if (result == kExitFileFailed)
        Say("cannot write " + output.place + ": " + SystemText(fileError) + " (error " + std::to_string(fileError) + ")");
    if (!finishedCard) {
        Say("cannot finish card " + options.card + " (MirvoFinish): " + ErrorDescription(finishCode));
        if (result == kExitDone) result = kExitCannotFinish;
    }
    const readings::Figures figures = readings::Summarize(tally, schedule, finished - start);
    Say(options.card + ": " + readings::SummaryReadingsLine(figures));
    if (schedule.Paced()) Say(readings::SummaryLateLine(figures));
    if (options.keepGoing || figures.failed != 0) Say(readings::SummaryFailedLine(figures));
    if (StopAsked()) Say(StopText(g_stopSignal));
    const std::uint64_t lines = writer.LinesWritten();
    const std::string fileLine = readings::SummaryFileLine(tally.Readings(), lines > otherLines ? lines - otherLines : 0,
                                                           output.place, result == kExitFileFailed);
    if (!fileLine.empty()) Say(fileLine);
    SetEvent(g_doneEvent);
    return result;
}

}  // namespace

int main(int argc, char **argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    const Parsed parsed = ParseOptions(arguments);
    if (parsed.action == Action::Usage) {
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        std::string text;
        for (const std::string &line : UsageLines()) text += line + "\r\n";
        DWORD written;
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return kExitDone;
    }
    if (parsed.action == Action::Refused) {
        std::string text = "kvtlog: " + parsed.error + "\r\n";
        for (const std::string &line : UsageLines()) text += line + "\r\n";
        WriteError(text);
        return kExitBadOptions;
    }
    return Record(parsed.options);
}
