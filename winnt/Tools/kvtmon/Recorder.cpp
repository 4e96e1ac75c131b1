#include "Recorder.h"

#include "CsvText.h"
#include "MessageText.h"

namespace kvtmon {

std::string Recorder::Failure(const char *what, DWORD code) const {
    std::string text = kit::MessageText(code, kit::kSystemDefaultLanguage).value_or("error " + std::to_string(code));
    // The system's texts end with a line break.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return std::string(what) + ": " + text;
}

std::string Recorder::Start(const std::string &path, const std::string &card, readings::Ticks start,
                            readings::Ticks frequency) {
    Stop();
    file_.reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return Failure("Could not create the file", GetLastError());
    writer_ = std::make_unique<readings::LineWriter>(file_.get());
    start_ = start;
    frequency_ = frequency;
    count_ = 0;
    dropped_ = 0;
    if (writer_->Append(readings::CsvHeader(card)) && writer_->Flush()) return "";
    const std::string failure = Failure("Could not write the file", writer_->Error());
    Stop();
    return failure;
}

std::string Recorder::Write(const std::vector<Reading> &batch, std::uint64_t dropped) {
    if (!writer_) return "";
    const std::uint64_t linesBefore = writer_->LinesWritten();
    std::uint64_t readings = 0;
    char line[readings::kCsvLineSize];
    for (const Reading &reading : batch) {
        // A reading queued before Record was pressed belongs to no recording.
        if (reading.ticks < start_) continue;
        const std::size_t length = readings::FormatCsvLine(
            readings::TicksToMicroseconds(reading.ticks - start_, frequency_), reading.weights, line);
        writer_->Append(line, length);
        ++readings;
    }
    // The drops came after the readings queued before them.
    if (dropped != 0) writer_->Append(readings::CsvDropLine(dropped));
    const bool written = writer_->Flush();
    // What reached the file: the readings first, the mark last.
    const std::uint64_t lines = writer_->LinesWritten() - linesBefore;
    count_ += lines < readings ? lines : readings;
    if (written) {
        dropped_ += dropped;
        return "";
    }
    const std::string failure = Failure("Could not write the file", writer_->Error()) + " The file holds " +
                                std::to_string(count_) + (count_ == 1 ? " reading." : " readings.");
    Stop();
    return failure;
}

void Recorder::Stop() {
    if (writer_) writer_->Flush();
    writer_.reset();
    file_.reset();
}

}  // namespace kvtmon
