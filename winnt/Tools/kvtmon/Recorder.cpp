#include "Recorder.h"

#include "CsvText.h"
#include "MessageText.h"

namespace kvtmon {

namespace {

std::string SystemFailure(const char *what, DWORD code) {
    std::string text = kit::MessageText(code, kit::kSystemDefaultLanguage).value_or("error " + std::to_string(code));
    // The system's texts end with a line break.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return std::string(what) + ": " + text;
}

}  // namespace

std::string Recorder::Start(const std::string &path, const std::string &card, readings::Ticks start,
                            readings::Ticks frequency) {
    file_.reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return SystemFailure("Could not create the file", GetLastError());
    start_ = start;
    frequency_ = frequency;
    count_ = 0;
    return WriteText(readings::CsvHeader(card));
}

std::string Recorder::Write(const std::vector<Reading> &batch) {
    if (!file_) return "";
    pending_.clear();
    char line[readings::kCsvLineSize];
    std::uint64_t written = 0;
    for (const Reading &reading : batch) {
        // A reading queued before Record was pressed belongs to no recording.
        if (reading.ticks < start_) continue;
        const std::size_t length =
            readings::FormatCsvLine(readings::TicksToMicroseconds(reading.ticks - start_, frequency_), reading.weights, line);
        pending_.append(line, length);
        ++written;
    }
    if (pending_.empty()) return "";
    std::string failure = WriteText(pending_);
    if (failure.empty()) count_ += written;
    return failure;
}

std::string Recorder::WriteText(const std::string &text) {
    DWORD done = 0;
    if (!WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &done, nullptr) || done != text.size()) {
        const DWORD code = GetLastError();
        file_.reset();
        return SystemFailure("Could not write the file", code ? code : ERROR_DISK_FULL);
    }
    return "";
}

}  // namespace kvtmon
