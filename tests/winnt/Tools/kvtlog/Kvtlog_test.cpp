// kvtlog.exe end to end: the real program from the kit against the
// simulated card (its driver installed in the test's own prefix), with
// scripted weights and faults; what it writes to its file, standard output
// and error, its exit code, and the card library's call trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "KitPaths.h"
#include "KvtlogRun.h"
#include "Registry.h"
#include "MessageText.h"
#include "ProgramProbe.h"
#include "SimCard.h"

using namespace kvtlogtest;

namespace {

const char kHeader[] = "time (s),KVT1 channel 1,KVT1 channel 2,KVT1 channel 3,KVT1 channel 4";
const char kScripted[] = "1.500,-0.250,0.000,12.000";  // SetWeights(1.5, -0.25, 0, 12)

// Every test: the driver started, the card giving fixed weights, the call
// trace on into the scratch folder.
class kvtlog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(simcard::InstallAndStartDriver(), "");
        simcard::SetWeights("KVT1", 1.5f, -0.25f, 0.0f, 12.0f);
        simcard::EnableTrace(Trace());
    }
    std::string Trace() const { return scratch.Path("trace.log"); }
    std::vector<std::string> Traced() const { return simcard::TracedEntries(Trace()); }
    std::string File(const std::string &name = "out.csv") const { return ReadWholeFile(scratch.Path(name)); }

    // The data lines of a CSV text after its header: each whole, with its
    // time, the times increasing; returns them.
    std::vector<CsvLine> CheckCsv(const std::string &text, const std::string &weights, bool oneRun = true) {
        const std::vector<std::string> lines = CrLfLines(text);
        EXPECT_FALSE(lines.empty());
        if (lines.empty()) return {};
        EXPECT_EQ(lines[0], kHeader);
        std::vector<CsvLine> readings;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const CsvLine line = ParseCsvLine(lines[i]);
            EXPECT_TRUE(line.valid) << "line " << i + 1 << ": " << lines[i];
            EXPECT_EQ(line.weights, weights) << "line " << i + 1;
            if (oneRun && !readings.empty()) {
                EXPECT_GT(line.seconds, readings.back().seconds) << "line " << i + 1;
            }
            readings.push_back(line);
        }
        return readings;
    }

    std::vector<std::string> Reads(std::size_t count) {
        return std::vector<std::string>(count, "MirvoGetCurrentWeight4");
    }
    std::vector<std::string> Whole(std::size_t count) {
        std::vector<std::string> entries = {"MirvoOpen", "MirvoInit"};
        for (const std::string &read : Reads(count)) entries.push_back(read);
        entries.push_back("MirvoFinish");
        return entries;
    }

    Scratch scratch;
};

// The readings the summary says the file holds: M of "N readings taken, M in
// FILE", or N of "CARD: N readings in" followed by "written to FILE"; -1
// when it says neither.
long long ReadingsSaidInFile(const std::string &errors) {
    const std::size_t taken = errors.find(" taken, ");
    if (taken != std::string::npos) return std::atoll(errors.c_str() + taken + 8);
    const std::size_t card = errors.find("kvtlog: KVT1: ");
    if (errors.find("kvtlog: written to ") == std::string::npos || card == std::string::npos) return -1;
    return std::atoll(errors.c_str() + card + 14);
}

void WriteFileText(const std::string &path, const std::string &text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The system's text for `code` as kvtlog quotes it (no line end, no full stop).
std::string SystemText(DWORD code) {
    std::string text = kit::MessageText(code, kit::kSystemDefaultLanguage).value_or("?");
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

// --- recording: the scripted weights exactly, the count exactly -------------

struct RecordCase {
    const char *name;
    const char *arguments;
    std::size_t readings;
    bool toStandardOutput;
};

void PrintTo(const RecordCase &row, std::ostream *out) { *out << row.name; }

class kvtlogRecords : public kvtlog, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(kvtlogRecords, ScriptedWeightsExactlyOneLineEachWithCrLf) {
    const RecordCase &row = GetParam();
    const Outcome outcome = RunKvtlog(scratch, row.arguments);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
    const std::string text = row.toStandardOutput ? outcome.output : File();
    if (!row.toStandardOutput) {
        EXPECT_EQ(outcome.output, "");
    }
    const std::vector<CsvLine> readings = CheckCsv(text, kScripted);
    EXPECT_EQ(readings.size(), row.readings);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
    // The summary; standard error is no console here: no status line.
    EXPECT_NE(outcome.errors.find("kvtlog: KVT1: " + std::to_string(row.readings) + " reading"), std::string::npos)
        << outcome.errors;
    EXPECT_EQ(outcome.errors.find('\r' + std::string("0 readings")), std::string::npos) << outcome.errors;
    for (const std::string &line : CrLfLines(outcome.errors)) EXPECT_EQ(line.rfind("kvtlog: ", 0), 0u) << line;
    EXPECT_EQ(Traced(), Whole(row.readings));
}

const RecordCase kRecordCases[] = {
    {"ToAFile", "-n 25 -o out.csv", 25, false},
    {"OneReading", "/n 1 /o out.csv", 1, false},
    {"AtARate", "-n 20 -r 100 -o out.csv", 20, false},
    {"ForADurationAtARate", "-t 0.5 -r 40 -o out.csv", 20, false},
    {"NamedCard", "-n 3 -o out.csv KVT1", 3, false},
    {"ToStandardOutput", "-n 7", 7, true},
    {"KeepGoingWithoutAFailure", "-k -n 5 -o out.csv", 5, false},
    {"ManyReadingsPastTheBuffer", "-n 3000 -o out.csv", 3000, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, kvtlogRecords, ::testing::ValuesIn(kRecordCases),
                         [](const ::testing::TestParamInfo<RecordCase> &info) { return info.param.name; });

TEST_F(kvtlog, AppendAddsNoSecondHeaderAndOverwriteStartsAgain) {
    ASSERT_EQ(RunKvtlog(scratch, "-n 3 -o out.csv").exitCode, 0u);
    const Outcome appended = RunKvtlog(scratch, "-n 4 -o out.csv -a");
    EXPECT_EQ(appended.exitCode, 0u) << appended.errors;
    const std::vector<CsvLine> both = CheckCsv(File(), kScripted, false);
    ASSERT_EQ(both.size(), 7u);
    EXPECT_LT(both[3].seconds, both[2].seconds) << "the second run's times start again";
    const Outcome overwritten = RunKvtlog(scratch, "-n 2 -w -o out.csv");
    EXPECT_EQ(overwritten.exitCode, 0u) << overwritten.errors;
    EXPECT_EQ(CheckCsv(File(), kScripted).size(), 2u);
    // Appending to a file that does not exist yet: with its header.
    EXPECT_EQ(RunKvtlog(scratch, "-n 2 -a -o new.csv").exitCode, 0u);
    EXPECT_EQ(CheckCsv(File("new.csv"), kScripted).size(), 2u);
}

// A file whose last line has no line end (cut off, or edited by hand): the
// first appended reading starts a line of its own.
TEST_F(kvtlog, AppendStartsOnANewLine) {
    ASSERT_EQ(RunKvtlog(scratch, "-n 2 -o out.csv").exitCode, 0u);
    std::string text = File();
    text.resize(text.size() - 2);
    WriteFileText(scratch.Path("out.csv"), text);
    const Outcome appended = RunKvtlog(scratch, "-n 3 -a -o out.csv");
    EXPECT_EQ(appended.exitCode, 0u) << appended.errors;
    EXPECT_EQ(CheckCsv(File(), kScripted, false).size(), 5u);
    EXPECT_NE(appended.errors.find("kvtlog: written to out.csv"), std::string::npos) << appended.errors;
}

TEST_F(kvtlog, APointWhateverTheUsersDecimalSign) {
    // A German user: decimal comma, point for thousands, semicolon lists.
    const std::string international = "Control Panel\\International";
    ASSERT_EQ(testreg::WriteString(international, "Locale", "00000407", HKEY_CURRENT_USER), ERROR_SUCCESS);
    ASSERT_EQ(testreg::WriteString(international, "sDecimal", ",", HKEY_CURRENT_USER), ERROR_SUCCESS);
    ASSERT_EQ(testreg::WriteString(international, "sThousand", ".", HKEY_CURRENT_USER), ERROR_SUCCESS);
    ASSERT_EQ(testreg::WriteString(international, "sList", ";", HKEY_CURRENT_USER), ERROR_SUCCESS);
    simcard::SetWeights("KVT1", 1234.5f, -0.25f, 0.0f, 12.0f);
    const Outcome outcome = RunKvtlog(scratch, "-n 3 -r 50 -o out.csv");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
    EXPECT_EQ(CheckCsv(File(), "1234.500,-0.250,0.000,12.000").size(), 3u);
    // The summary's figures too.
    EXPECT_NE(outcome.errors.find(" s: "), std::string::npos) << outcome.errors;
    EXPECT_EQ(outcome.errors.find("0,"), std::string::npos) << outcome.errors;
}

TEST_F(kvtlog, UsageOnRequest) {
    const Outcome outcome = RunKvtlog(scratch, "-?");
    EXPECT_EQ(outcome.exitCode, 0u);
    const std::vector<std::string> lines = CrLfLines(outcome.output);
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[1], "KVTLOG.EXE  Qorim KVT driver kit  Usage guide");
    EXPECT_EQ(lines[5], "kvtlog [-n COUNT | -t SECONDS] [-r RATE] [-o FILE [-w | -a]] [-k] [CARD]");
    EXPECT_EQ(outcome.errors, "");
    EXPECT_EQ(Traced(), std::vector<std::string>{});
}

// --- 200 readings a second for two seconds -----------------------------------

TEST_F(kvtlog, TwoHundredASecondForTwoSeconds) {
    const Outcome outcome = RunKvtlog(scratch, "-r 200 -t 2 -o out.csv");
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
    const std::vector<CsvLine> readings = CheckCsv(File(), kScripted);
    // Reading k is due at k / 200 s: the ones due within the two seconds, all
    // of them, late ones included (never skipped).
    ASSERT_EQ(readings.size(), 400u);
    const double spacing = (readings.back().seconds - readings.front().seconds) / 399.0;
    EXPECT_GE(spacing, 0.0049) << "readings came before they were due";
    EXPECT_LT(spacing, 0.05) << "a machine this loaded fails far more than this test";
    EXPECT_LT(readings.front().seconds, 1.0);
    EXPECT_NE(outcome.errors.find("kvtlog: KVT1: 400 readings in "), std::string::npos) << outcome.errors;
    EXPECT_NE(outcome.errors.find("kvtlog: late: "), std::string::npos) << outcome.errors;
    EXPECT_NE(outcome.errors.find(" (largest lateness "), std::string::npos) << outcome.errors;
    std::printf("spacing %.3f ms; %s", spacing * 1000.0, outcome.errors.c_str());
}

// --- on NT's clock: waits that end on a 15.625 ms tick ---------------------------

// kvtlog built with the probe: every wait ends on the next tick of NT's
// default clock unless the program holds a 1 ms timer period.
std::string ProbedKvtlog() { return kit::WindowsPathFromHost(KVTLOG_PROBE_HOST); }

TEST_F(kvtlog, TwoHundredASecondOnNtsCoarseClock) {
    kit_test::Probe probe;
    const Outcome outcome = RunKvtlog(scratch, "-r 200 -t 2 -o out.csv", 60000, ProbedKvtlog());
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
    const std::vector<CsvLine> readings = CheckCsv(File(), kScripted);
    ASSERT_EQ(readings.size(), 400u);
    // On NT's tick a wait of 4 ms takes 15.6: readings in bursts, a quarter
    // to a third of the gaps over 10 ms, and the probe counts every wait that
    // ended on that tick. A machine that others load starves a process now
    // and then, with Wine's exact waits too (two cores, the emulated 32-bit
    // suite beside it: up to 41 gaps of 10 to 230 ms, anywhere): a fifth of
    // the gaps is allowed, and none of the waits.
    std::size_t longGaps = 0;
    double longest = 0;
    for (std::size_t i = 1; i < readings.size(); ++i) {
        const double gap = readings[i].seconds - readings[i - 1].seconds;
        longGaps += gap > 0.010;
        longest = std::max(longest, gap);
    }
    const double rate = 399.0 / (readings.back().seconds - readings.front().seconds);
    EXPECT_NEAR(rate, 200.0, 4.0) << "readings a second";
    EXPECT_EQ(probe.Counters().coarseWaits, 0) << "waits that ended on NT's 15.6 ms tick";
    EXPECT_LE(longGaps, 79u) << "gaps over 10 ms between readings (the longest " << longest * 1000 << " ms)";
    EXPECT_EQ(probe.Counters().periodsAsked, 1) << "a 1 ms timer period for the run";
    EXPECT_EQ(probe.Counters().periodsHeld, 0) << "the timer period given back";
}

// The timer period is given back on the ways out that end a run early.
TEST_F(kvtlog, TheTimerPeriodIsGivenBackAfterAFailedRead) {
    simcard::SetFault("KVT1", simcard::Entry::ReadWeights, 0x80000007);
    kit_test::Probe probe;
    const Outcome outcome = RunKvtlog(scratch, "-r 100 -n 5 -o out.csv", 60000, ProbedKvtlog());
    EXPECT_EQ(outcome.exitCode, 4u) << outcome.errors;
    EXPECT_EQ(probe.Counters().periodsAsked, 1);
    EXPECT_EQ(probe.Counters().periodsHeld, 0);
}

// --- Ctrl+C and Ctrl+Break in the middle ---------------------------------------

struct StopCase {
    const char *name;
    DWORD event;
    const char *said;
};

void PrintTo(const StopCase &row, std::ostream *out) { *out << row.name; }

class kvtlogStops : public kvtlog, public ::testing::WithParamInterface<StopCase> {};

TEST_P(kvtlogStops, EveryLineWholeTheCardFinishedAndTheSummary) {
    const StopCase &row = GetParam();
    const std::string file = scratch.Path("out.csv");
    // Stopped once a few readings are in the file (it is written once a second).
    const Outcome outcome = RunKvtlogAndStop(scratch, "-r 500 -o out.csv", row.event,
                                       [&] { return CrLfLines(ReadWholeFile(file)).size() > 20; });
    ASSERT_TRUE(outcome.finished) << outcome.errors;
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
    const std::string text = File();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << "a half line at the end";
    const std::vector<CsvLine> readings = CheckCsv(text, kScripted);
    EXPECT_GT(readings.size(), 20u);
    // Every reading taken is in the file, then the card was finished.
    EXPECT_EQ(Traced(), Whole(readings.size()));
    EXPECT_NE(outcome.errors.find("kvtlog: KVT1: " + std::to_string(readings.size()) + " readings in "),
              std::string::npos)
        << outcome.errors;
    EXPECT_NE(outcome.errors.find(std::string("kvtlog: ") + row.said + "\r\n"), std::string::npos) << outcome.errors;
}

const StopCase kStopCases[] = {
    {"CtrlC", CTRL_C_EVENT, "stopped by Ctrl+C"},
    {"CtrlBreak", CTRL_BREAK_EVENT, "stopped by Ctrl+Break"},
};
INSTANTIATE_TEST_SUITE_P(Rows, kvtlogStops, ::testing::ValuesIn(kStopCases),
                         [](const ::testing::TestParamInfo<StopCase> &info) { return info.param.name; });

// --- a full disk: every whole line that fitted, never half a line ------------

TEST_F(kvtlog, AFullDiskKeepsEveryWholeLineThatFitted) {
    // The 64 KB RAM disk that small-disk.sh mounts before these cases.
    const std::string disk = kit::WindowsPathFromHost(KVTLOG_SMALL_DISK_HOST) + "\\";
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(disk.c_str(), &available, &total, &free) || total.QuadPart > (1u << 20))
        GTEST_SKIP() << "no small RAM disk at " << disk << " (small-disk.sh mounts one when run as root)";
    const std::string file = disk + "kvtlog-" + std::to_string(GetCurrentProcessId()) + ".csv";
    const Outcome outcome = RunKvtlog(scratch, "-n 100000 -w -o " + file);
    const std::string text = ReadWholeFile(file);
    DeleteFileA(file.c_str());
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 5u) << outcome.errors;
    EXPECT_NE(outcome.errors.find("kvtlog: cannot write " + file + ": "), std::string::npos) << outcome.errors;
    EXPECT_NE(outcome.errors.find(" (error 112)\r\n"), std::string::npos) << outcome.errors;
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << "half a line at the end";
    const std::vector<CsvLine> readings = CheckCsv(text, kScripted);
    EXPECT_GT(readings.size(), 100u) << "the disk holds some 1800 lines";
    // The summary counts what the file holds, and says what was taken besides.
    EXPECT_EQ(ReadingsSaidInFile(outcome.errors), static_cast<long long>(readings.size())) << outcome.errors;
    EXPECT_EQ(outcome.errors.find("written to"), std::string::npos) << outcome.errors;
    EXPECT_NE(outcome.errors.find(SystemText(ERROR_DISK_FULL)), std::string::npos) << outcome.errors;
    // The run stopped at the failed write, then finished the card.
    const std::vector<std::string> traced = Traced();
    ASSERT_GE(traced.size(), readings.size() + 3);
    EXPECT_EQ(traced.front(), "MirvoOpen");
    EXPECT_EQ(traced.back(), "MirvoFinish");
    EXPECT_LT(traced.size(), 100000u);
}

// --- failures: their exit codes and texts ---------------------------------------

struct FailureCase {
    const char *name;
    std::function<void(const Scratch &)> arrange;
    const char *arguments;
    DWORD exitCode;
    std::string said;                  // a line of standard error starts with it
    std::vector<std::string> traced;   // the library's entries called, in order
    std::function<void(const std::string &file)> checkFile;  // out.csv afterwards
    std::string saidEnd = "";  // ... and ends with it (after the system's text)
};

void PrintTo(const FailureCase &row, std::ostream *out) { *out << row.name; }

class kvtlogFails : public kvtlog, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(kvtlogFails, WithItsExitCodeAndText) {
    const FailureCase &row = GetParam();
    if (row.arrange) row.arrange(scratch);
    const Outcome outcome = RunKvtlog(scratch, row.arguments);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, row.exitCode) << outcome.errors;
    const std::vector<std::string> lines = CrLfLines(outcome.errors);
    bool found = false;
    for (const std::string &line : lines)
        found = found || (line.rfind(row.said, 0) == 0 && line.size() >= row.said.size() + row.saidEnd.size() &&
                          line.compare(line.size() - row.saidEnd.size(), row.saidEnd.size(), row.saidEnd) == 0);
    EXPECT_TRUE(found) << "no line \"" << row.said << "..." << row.saidEnd << "\" in:\n" << outcome.errors;
    EXPECT_EQ(Traced(), row.traced);
    if (row.checkFile) row.checkFile(File());
    // Whatever failed, the summary's count is what the file holds.
    if (outcome.errors.find("kvtlog: KVT1: ") != std::string::npos && std::string(row.arguments).find("dev") == std::string::npos) {
        const std::vector<std::string> lines = CrLfLines(File());
        EXPECT_EQ(ReadingsSaidInFile(outcome.errors), static_cast<long long>(lines.empty() ? 0 : lines.size() - 1))
            << outcome.errors;
    }
}

void NoFile(const std::string &file) { EXPECT_EQ(file, ""); }
void HeaderOnly(const std::string &file) { EXPECT_EQ(file, std::string(kHeader) + "\r\n"); }

const char kBusy[] = "Card is busy";

std::vector<std::string> Entries(std::initializer_list<const char *> names, std::size_t reads = 0,
                                 std::initializer_list<const char *> after = {}) {
    std::vector<std::string> entries(names.begin(), names.end());
    for (std::size_t i = 0; i < reads; ++i) entries.push_back("MirvoGetCurrentWeight4");
    entries.insert(entries.end(), after.begin(), after.end());
    return entries;
}

const FailureCase kFailureCases[] = {
    {"BadOptions", nullptr, "-n 0 -o out.csv", 1,
     "kvtlog: -n needs a whole number of readings from 1 to 18 digits, not \"0\"", {}, NoFile},
    {"TwoCards", nullptr, "KVT1 KVT2", 1, "kvtlog: only one card: \"KVT2\" after \"KVT1\"", {}, NoFile},
    {"CardCannotBeOpened",
     [](const Scratch &) {
         simcard::SetFault("KVT1", simcard::Entry::Open, 0);
         simcard::SetErrorText(ERROR_DEVICE_NOT_CONNECTED, "Card KVT1 does not answer");
     },
     "-n 5 -o out.csv", 2, "kvtlog: cannot open card KVT1: error 1167 (0x0000048F): Card KVT1 does not answer",
     Entries({"MirvoOpen", "MirvoGetErrorMsg"}), NoFile},
    {"NoSuchCard", [](const Scratch &) { simcard::SetErrorText(ERROR_FILE_NOT_FOUND, "No such card"); },
     "-n 5 -o out.csv KVT9", 2, "kvtlog: cannot open card KVT9: error 2 (0x00000002): No such card",
     Entries({"MirvoOpen", "MirvoGetErrorMsg"}), NoFile},
    {"InitFails",
     [](const Scratch &) {
         simcard::SetFault("KVT1", simcard::Entry::Init, 0x80000005);
         simcard::SetErrorText(0x80000005, kBusy);
     },
     "-n 5 -o out.csv", 3, "kvtlog: cannot initialise card KVT1 (MirvoInit): error 2147483653 (0x80000005): Card is busy",
     Entries({"MirvoOpen", "MirvoInit", "MirvoGetErrorMsg"}), NoFile},
    {"ReadFails",
     [](const Scratch &) {
         simcard::SetFault("KVT1", simcard::Entry::ReadWeights, 0x80000007);
         simcard::SetErrorText(0x80000007, "Loadcell 3 overloaded");
     },
     "-n 5 -o out.csv", 4, "kvtlog: reading 1 failed: error 2147483655 (0x80000007): Loadcell 3 overloaded",
     Entries({"MirvoOpen", "MirvoInit"}, 1, {"MirvoFinish", "MirvoGetErrorMsg"}), HeaderOnly},
    {"ReadFailsKeepGoing",
     [](const Scratch &) { simcard::SetFault("KVT1", simcard::Entry::ReadWeights, 0x80000007); },
     "-n 5 -k -o out.csv", 0, "kvtlog: failed reads: 5", Entries({"MirvoOpen", "MirvoInit"}, 5, {"MirvoFinish"}),
     [](const std::string &file) {
         const std::vector<std::string> lines = CrLfLines(file);
         ASSERT_EQ(lines.size(), 6u);
         for (std::size_t i = 1; i < lines.size(); ++i) {
             const CsvLine line = ParseCsvLine(lines[i]);
             EXPECT_TRUE(line.valid) << lines[i];
             EXPECT_EQ(line.weights, ",,,") << "a failed read: empty weight fields";
         }
     }},
    {"FinishFails",
     [](const Scratch &) {
         simcard::SetFault("KVT1", simcard::Entry::Finish, 0x80000009);
         simcard::SetErrorText(0x80000009, "Card jammed");
     },
     "-n 5 -o out.csv", 6, "kvtlog: cannot finish card KVT1 (MirvoFinish): error 2147483657 (0x80000009): Card jammed",
     Entries({"MirvoOpen", "MirvoInit"}, 5, {"MirvoFinish", "MirvoGetErrorMsg"}),
     [](const std::string &file) { EXPECT_EQ(CrLfLines(file).size(), 6u) << "every reading is in the file"; }},
    {"FileExists",
     [](const Scratch &scratch) {
         HANDLE file = CreateFileA(scratch.Path("out.csv").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
         DWORD written;
         WriteFile(file, "precious\r\n", 10, &written, nullptr);
         CloseHandle(file);
     },
     "-n 5 -o out.csv", 5, "kvtlog: the file out.csv exists: give -w to overwrite it or -a to append to it",
     {},  // the card is not touched
     [](const std::string &file) { EXPECT_EQ(file, "precious\r\n") << "left as it was"; }},
    {"FileCannotBeCreated", nullptr, "-n 5 -o nosuchfolder\\out.csv", 5,
     "kvtlog: cannot create nosuchfolder\\out.csv: ", {}, NoFile, ""},
    {"AppendToAnotherCardsFile",
     [](const Scratch &scratch) { WriteFileText(scratch.Path("out.csv"), "time (s),KVT2 channel 1,KVT2 channel 2,KVT2 channel 3,KVT2 channel 4\r\n0.000000,1.000,2.000,3.000,4.000\r\n"); },
     "-n 5 -a -o out.csv", 1, "kvtlog: cannot append to out.csv: its first line is not the header of KVT1's readings", {},
     [](const std::string &file) { EXPECT_EQ(CrLfLines(file).size(), 2u) << "left as it was"; }},
    {"AppendToAnotherLayout",
     [](const Scratch &scratch) { WriteFileText(scratch.Path("out.csv"), "time;weight\r\n0,000000;1,500\r\n"); },
     "-n 5 -a -o out.csv", 1, "kvtlog: cannot append to out.csv: its first line is not the header of KVT1's readings", {},
     [](const std::string &file) { EXPECT_EQ(file, "time;weight\r\n0,000000;1,500\r\n") << "left as it was"; }},
    // Linux's /dev/full: every write fails as on a full disk (ENOSPC).
    {"DiskFull", nullptr, "-n 5 -w -o Z:\\dev\\full", 5,
     "kvtlog: cannot write Z:\\dev\\full: ",
     Entries({"MirvoOpen", "MirvoInit"}, 5, {"MirvoFinish"}), NoFile, " (error 112)"},
    {"DiskFullSaysWhatTheFileHolds", nullptr, "-n 5 -w -o Z:\\dev\\full", 5,
     "kvtlog: 5 readings taken, 0 in Z:\\dev\\full", Entries({"MirvoOpen", "MirvoInit"}, 5, {"MirvoFinish"}), NoFile},
};
INSTANTIATE_TEST_SUITE_P(Rows, kvtlogFails, ::testing::ValuesIn(kFailureCases),
                         [](const ::testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

}  // namespace
