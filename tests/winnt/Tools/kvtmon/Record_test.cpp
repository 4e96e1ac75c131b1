// Record: a Save dialog for the file, the count while recording, and a file
// in kvtlog's format that holds the readings of the interval.
#include <fstream>
#include <iterator>

#include "CsvText.h"
#include "KitPaths.h"
#include "KvtmonPanel.h"
#include "MessageText.h"
#include "PanelText.h"

namespace kvtmon_test {
namespace {

using kvtmon::RecordedText;

// The file's lines, without their CR LF; a last line without one as it is.
Strings LinesOf(const std::string &path, bool *allEndInCrLf) {
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Strings lines;
    *allEndInCrLf = true;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            *allEndInCrLf = false;
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST_F(KvtmonTest, RecordWritesTheIntervalsReadingsInKvtlogsFormat) {
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0, 12);
    const std::string path = "C:\\kvtmon-record.csv";
    DeleteFileA(path.c_str());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_NO_FATAL_FAILURE(RecordTo(path));
    EXPECT_EQ("Stop r&ecording", Field(IDC_RECORD));
    ASSERT_TRUE(uiauto::WaitUntil([&] { return LeadingNumber(Field(IDC_RECORDCOUNT)) >= 20; }))
        << Field(IDC_RECORDCOUNT);
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_RECORD));
    ASSERT_TRUE(WaitForField(IDC_RECORD, "R&ecord..."));
    const std::string recorded = Field(IDC_RECORDCOUNT);
    Sleep(300);
    EXPECT_EQ(recorded, Field(IDC_RECORDCOUNT)) << "the count grows after the recording stopped";
    EXPECT_EQ("reading", Field(IDC_STATE)) << "reading goes on";

    bool crLf = false;
    const Strings lines = LinesOf(path, &crLf);
    EXPECT_TRUE(crLf) << "every line ends in CR LF";
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(readings::CsvHeader("KVT1"), lines[0] + "\r\n");
    EXPECT_EQ(LeadingNumber(recorded), static_cast<double>(lines.size() - 1)) << "the count shown: " << recorded;
    double previous = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        const std::size_t comma = line.find(',');
        ASSERT_NE(std::string::npos, comma) << line;
        EXPECT_EQ(",1.500,-0.250,0.000,12.000", line.substr(comma)) << "line " << i;
        const double seconds = LeadingNumber(line);
        EXPECT_GE(seconds, previous) << "line " << i << ": the time goes back";
        EXPECT_EQ(8u, comma - line.find('.') + 1) << "six decimals: " << line;
        previous = seconds;
    }
    EXPECT_LT(LeadingNumber(lines.size() > 1 ? lines[1] : ""), 0.5) << "timed from the start of the recording";
}

// The four weights of each traced read, as the file writes them: the
// trace's "MirvoGetCurrentWeight4(0x00000044, buffer) = 1 weights=1.5 -0.25 0 12".
Strings TracedWeights(const Strings &trace) {
    Strings weights;
    for (const std::string &line : trace) {
        const std::size_t at = line.find(" weights=");
        if (line.rfind("MirvoGetCurrentWeight4(", 0) != 0 || at == std::string::npos) continue;
        const char *next = line.c_str() + at + 9;
        std::string fields;
        for (int channel = 0; channel < 4; ++channel) {
            char *end = nullptr;
            const double weight = std::strtod(next, &end);
            next = end;
            char text[64];
            readings::FormatFixed(static_cast<float>(weight), 3, text, sizeof text);
            fields += std::string(",") + text;
        }
        weights.push_back(fields);
    }
    return weights;
}

// The weights of a file's readings (",1.500,-0.250,0.000,12.000"), header and drop marks left out.
Strings FileWeights(const Strings &lines) {
    Strings weights;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t comma = lines[i].find(',');
        if (comma != std::string::npos && lines[i].find("dropped") == std::string::npos) weights.push_back(lines[i].substr(comma));
    }
    return weights;
}

// Recording from before the first reading: the file holds every read the
// trace shows, the last ones (still queued for the next refresh) included.
TEST_F(KvtmonTest, ClosingWhileRecordingWritesEveryReadingTaken) {
    const std::string path = "C:\\kvtmon-record-close.csv";
    DeleteFileA(path.c_str());
    ASSERT_NO_FATAL_FAILURE(StartWatchingExit());
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_INIT, "initialised"));
    ASSERT_NO_FATAL_FAILURE(RecordTo(path));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_START, "reading"));
    Sleep(500);
    ASSERT_TRUE(uiauto::CloseFromSystemMenu(window_));
    EXPECT_EQ(0u, ExitCode(15000));
    bool crLf = false;
    const Strings recorded = FileWeights(LinesOf(path, &crLf));
    DeleteFileA(path.c_str());
    EXPECT_TRUE(crLf);
    const Strings traced = TracedWeights(Trace());
    ASSERT_FALSE(traced.empty());
    EXPECT_EQ(traced.size(), recorded.size()) << "reads traced, readings in the file";
    EXPECT_TRUE(traced == recorded) << "the file's readings are not the traced reads";
}

// Stopped right after a read, at ten readings a second: that read is the
// file's last; the file is the trace's reads from the first on.
TEST_F(KvtmonTest, StoppingTheRecordingWritesEveryReadingTakenBeforeIt) {
    const std::string path = "C:\\kvtmon-record-stop.csv";
    DeleteFileA(path.c_str());
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND pace = uiauto::Control(window_, IDC_PACE);
    ASSERT_EQ(3, SendMessageA(pace, CB_SETCURSEL, 3, 0));
    ASSERT_EQ("10 per second", Field(IDC_PACE));
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_PACE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pace));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_INIT, "initialised"));
    ASSERT_NO_FATAL_FAILURE(RecordTo(path));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_START, "reading"));
    Sleep(450);
    const std::size_t before = TracedWeights(Trace()).size();
    // Watched closely (the tests' wait looks every 10 to 80 ms): the read
    // must still wait in the queue for the panel's next refresh.
    std::size_t seen = before;
    for (const DWORD start = GetTickCount(); seen == before && GetTickCount() - start < 5000; Sleep(1))
        seen = TracedWeights(Trace()).size();
    ASSERT_GT(seen, before) << "no read within 5 s";
    ASSERT_NO_FATAL_FAILURE(StopRecording());
    Sleep(300);
    bool crLf = false;
    const Strings recorded = FileWeights(LinesOf(path, &crLf));
    DeleteFileA(path.c_str());
    EXPECT_TRUE(crLf);
    const Strings traced = TracedWeights(Trace());
    EXPECT_GE(recorded.size(), seen) << "the read just before the stop is not in the file";
    ASSERT_LE(recorded.size(), traced.size());
    EXPECT_TRUE(recorded == Strings(traced.begin(), traced.begin() + recorded.size()))
        << "the file's readings are not the trace's first reads";
    EXPECT_EQ(RecordedText(recorded.size()), Field(IDC_RECORDCOUNT));
}

// A full disk (the 64 KB RAM disk of kvtlog's tests): the system's text for
// it, the readings in the file counted as they are, the file on a whole line.
TEST_F(KvtmonTest, RecordOnAFullDiskSaysSoAndCountsWhatTheFileHolds) {
    const std::string disk = kit::WindowsPathFromHost(KIT_SMALL_DISK_HOST) + "\\";
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(disk.c_str(), &available, &total, &free) || total.QuadPart > (1u << 20))
        GTEST_SKIP() << "no small RAM disk at " << disk << " (small-disk.sh mounts one when run as root)";
    const std::string path = disk + "kvtmon-" + std::to_string(GetCurrentProcessId()) + ".csv";
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_INIT, "initialised"));
    ASSERT_NO_FATAL_FAILURE(RecordTo(path));
    ASSERT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 300)) << Field(IDC_STATE);
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_START, "reading"));
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id(), 20000);
    ASSERT_TRUE(box) << "no box for the full disk; recorded: " << Field(IDC_RECORDCOUNT);
    bool crLf = false;
    const Strings lines = LinesOf(path, &crLf);
    DeleteFileA(path.c_str());
    EXPECT_TRUE(crLf) << "half a line at the end";
    ASSERT_GT(lines.size(), 100u);
    const std::size_t readings = FileWeights(lines).size();
    std::string diskFull = kit::MessageText(ERROR_DISK_FULL, kit::kSystemDefaultLanguage).value_or("?");
    while (!diskFull.empty() && (diskFull.back() == '\n' || diskFull.back() == '\r' || diskFull.back() == ' '))
        diskFull.pop_back();
    const std::string said = "Could not write the file: " + diskFull + " The file holds " + std::to_string(readings) + " readings.";
    ExpectBoxAndAnswer(box, said, "Error", uiauto::IconKind::Exclamation);
    EXPECT_EQ(said, Field(IDC_STATE));
    EXPECT_EQ(RecordedText(readings), Field(IDC_RECORDCOUNT)) << "the count shown is not the file's";
    EXPECT_EQ("R&ecord...", Field(IDC_RECORD));
}

}  // namespace
}  // namespace kvtmon_test
