// kit_readings: the schedule, the CSV text and the summary figures, called
// directly (natively under the sanitizers and under Wine).
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "CsvText.h"
#include "Schedule.h"
#include "Tally.h"

using namespace readings;

namespace {

std::string Line(std::int64_t microseconds, const float *weights) {
    char line[kCsvLineSize];
    std::memset(line, 0xbd, sizeof line);
    const std::size_t length = FormatCsvLine(microseconds, weights, line);
    EXPECT_EQ(length, std::strlen(line));
    return line;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    const std::size_t length = FormatFixed(value, decimals, text, sizeof text);
    EXPECT_EQ(length, std::strlen(text));
    return text;
}

// Switches the C library's numbers to a decimal comma while it lives: the
// system's "German" under Windows, de_DE.UTF-8 natively (the native build
// makes it, LOCPATH names where).
class CommaLocale {
public:
    CommaLocale() {
        const char *previous = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = previous ? previous : "C";
        for (const char *name : {"German", "de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "French"})
            if (std::setlocale(LC_NUMERIC, name)) {
                char text[16];
                std::snprintf(text, sizeof text, "%.1f", 1.5);
                if (std::string(text) == "1,5") {
                    active_ = true;
                    return;
                }
            }
        std::setlocale(LC_NUMERIC, saved_.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    bool Active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

}  // namespace

// --- the schedule

TEST(ReadingsSchedule, ReadingKIsDueAtStartPlusKOverRate) {
    const Schedule schedule(1000, 10000000, 200.0, 10000);
    EXPECT_TRUE(schedule.Paced());
    EXPECT_EQ(schedule.Due(0), 1000);
    EXPECT_EQ(schedule.Due(1), 1000 + 50000);
    EXPECT_EQ(schedule.Due(400), 1000 + 20000000);
    // No drift: a rate whose period is no whole number of ticks.
    const Schedule third(0, 1000, 3.0, 0);
    EXPECT_EQ(third.Due(1), 333);
    EXPECT_EQ(third.Due(2), 666);
    EXPECT_EQ(third.Due(3), 1000);
    EXPECT_EQ(third.Due(3000000), 1000000000);
}

TEST(ReadingsSchedule, WithoutARateEveryReadingIsDueAtOnceAndNeverLate) {
    for (double rate : {0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        Schedule schedule(500, 1000, rate, 0);
        EXPECT_FALSE(schedule.Paced()) << rate;
        EXPECT_EQ(schedule.Rate(), 0.0);
        EXPECT_EQ(schedule.Due(12345), 500);
        EXPECT_EQ(schedule.WaitBefore(7, 0), 0);
        EXPECT_EQ(schedule.Taken(7, 1000000), 0);
        EXPECT_EQ(schedule.LateCount(), 0u);
        EXPECT_EQ(schedule.LargestLateness(), 0);
    }
}

TEST(ReadingsSchedule, WaitsUntilDueAndNotAfter) {
    const Schedule schedule(0, 1000, 10.0, 5);
    EXPECT_EQ(schedule.WaitBefore(1, 0), 100);
    EXPECT_EQ(schedule.WaitBefore(1, 60), 40);
    EXPECT_EQ(schedule.WaitBefore(1, 100), 0);
    EXPECT_EQ(schedule.WaitBefore(1, 250), 0);
}

TEST(ReadingsSchedule, ALateReadingIsCountedWithItsLateness) {
    Schedule schedule(0, 1000, 10.0, 5);  // due every 100 ticks, 5 ticks of tolerance
    EXPECT_EQ(schedule.Taken(0, 0), 0);
    EXPECT_EQ(schedule.Taken(1, 104), 4);  // within the tolerance: not late
    EXPECT_EQ(schedule.LateCount(), 0u);
    EXPECT_EQ(schedule.LargestLateness(), 4);
    EXPECT_EQ(schedule.Taken(2, 230), 30);
    EXPECT_EQ(schedule.Taken(3, 312), 12);
    EXPECT_EQ(schedule.Taken(4, 399), 0);  // early counts as on time
    EXPECT_EQ(schedule.LateCount(), 2u);
    EXPECT_EQ(schedule.LargestLateness(), 30);
    // A late reading does not move the later ones' due times.
    EXPECT_EQ(schedule.Due(5), 500);
}

TEST(ReadingsSchedule, SaturatesInsteadOfOverflowing) {
    const auto max = std::numeric_limits<Ticks>::max();
    Schedule schedule(max - 10, 10000000, 0.001, 0);
    EXPECT_EQ(schedule.Due(std::numeric_limits<std::uint64_t>::max()), max);
    EXPECT_EQ(schedule.WaitBefore(5, -max), max);
    EXPECT_GE(schedule.Taken(0, max), 0);
}

TEST(ReadingsTicks, ConvertToMicrosecondsAndSeconds) {
    EXPECT_EQ(TicksToMicroseconds(0, 3579545), 0);
    EXPECT_EQ(TicksToMicroseconds(3579545, 3579545), 1000000);
    EXPECT_EQ(TicksToMicroseconds(1, 10000000), 0);
    EXPECT_EQ(TicksToMicroseconds(15, 10000000), 1);
    EXPECT_EQ(TicksToMicroseconds(-15, 10000000), -1);
    EXPECT_EQ(TicksToMicroseconds(std::numeric_limits<Ticks>::max(), 1), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(TicksToMicroseconds(std::numeric_limits<Ticks>::max(), 1000000000),
              9223372036854775LL);  // no overflow in the fraction
    EXPECT_DOUBLE_EQ(TicksToSeconds(5000, 1000), 5.0);
    EXPECT_EQ(SecondsToTicks(2.0, 10000000), 20000000);
    EXPECT_EQ(SecondsToTicks(-1.0, 10), 0);
    EXPECT_EQ(SecondsToTicks(std::nan(""), 10), 0);
    EXPECT_EQ(SecondsToTicks(1e300, 10), std::numeric_limits<Ticks>::max());
}

// --- the CSV text

TEST(ReadingsCsv, TheHeaderNamesTheCardAndTheChannels) {
    EXPECT_EQ(CsvHeader("KVT1"), "time (s),KVT1 channel 1,KVT1 channel 2,KVT1 channel 3,KVT1 channel 4\r\n");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("plain"), "plain");
}

TEST(ReadingsCsv, ALineHasTheTimeAndFourWeightsWithThreeDecimals) {
    const float weights[4] = {1.5f, -0.25f, 0.0f, 12.0f};
    EXPECT_EQ(Line(0, weights), "0.000000,1.500,-0.250,0.000,12.000\r\n");
    EXPECT_EQ(Line(2004512, weights), "2.004512,1.500,-0.250,0.000,12.000\r\n");
    EXPECT_EQ(Line(-7, weights), "-0.000007,1.500,-0.250,0.000,12.000\r\n");
}

TEST(ReadingsCsv, AFailedReadLeavesTheWeightFieldsEmpty) {
    EXPECT_EQ(Line(512, nullptr), "0.000512,,,,\r\n");
}

TEST(ReadingsCsv, TheExtremesFitTheLine) {
    const float big[4] = {-std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::infinity(), std::nanf("")};
    const std::string line = Line(std::numeric_limits<std::int64_t>::min(), big);
    EXPECT_EQ(line,
              "-9223372036854.775808,-340282346638528859811704183484516925440.000,"
              "340282346638528859811704183484516925440.000,inf,nan\r\n");
    const float negativeNan[4] = {-std::nanf(""), -std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::denorm_min(), -0.0004f};
    EXPECT_EQ(Line(std::numeric_limits<std::int64_t>::max(), negativeNan),
              "9223372036854.775807,nan,-inf,0.000,-0.000\r\n");
}

TEST(ReadingsCsv, APointWhateverTheLocale) {
    CommaLocale comma;
    ASSERT_TRUE(comma.Active()) << "no locale gives the C library a decimal comma: this case would prove nothing";
    const float weights[4] = {1.5f, -0.25f, 0.0f, 12.0f};
    EXPECT_EQ(Line(1500, weights), "0.001500,1.500,-0.250,0.000,12.000\r\n");
    EXPECT_EQ(Fixed(2001.31, 1), "2001.3");
}

TEST(ReadingsCsv, FixedRefusesWhatDoesNotFit) {
    char small[5];
    EXPECT_EQ(FormatFixed(12.5, 3, small, sizeof small), 0u);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(FormatFixed(1.5, 1, small, sizeof small), 3u);
    EXPECT_STREQ(small, "1.5");
    EXPECT_EQ(FormatMicroseconds(1, small, sizeof small), 0u);
    EXPECT_EQ(FormatFixed(1.0, 0, small, 0), 0u);
}

// --- the figures

TEST(ReadingsTally, SummarizesCountsRateSpacingAndLateness) {
    Schedule schedule(0, 1000, 200.0, 1);  // every 5 ticks
    Tally tally;
    for (std::uint64_t k = 0; k < 400; ++k) {
        const Ticks taken = schedule.Due(k) + (k == 10 ? 3 : 0);
        schedule.Taken(k, taken);
        tally.Add(taken, k != 20);
    }
    const Figures figures = Summarize(tally, schedule, 2000);
    EXPECT_EQ(figures.readings, 400u);
    EXPECT_EQ(figures.failed, 1u);
    EXPECT_EQ(figures.late, 1u);
    EXPECT_DOUBLE_EQ(figures.elapsedSeconds, 2.0);
    EXPECT_DOUBLE_EQ(figures.rate, 200.0);
    EXPECT_DOUBLE_EQ(figures.meanSpacingSeconds, 0.005);
    EXPECT_DOUBLE_EQ(figures.largestLatenessSeconds, 0.003);
    EXPECT_EQ(SummaryReadingsLine(figures), "400 readings in 2.000 s: 200.0 per second, one every 5.000 ms");
    EXPECT_EQ(SummaryLateLine(figures), "late: 1 (largest lateness 3.000 ms)");
    EXPECT_EQ(SummaryFailedLine(figures), "failed reads: 1");
}

TEST(ReadingsTally, NoReadings) {
    const Schedule schedule(0, 1000, 0.0, 0);
    const Figures figures = Summarize(Tally(), schedule, -5);
    EXPECT_EQ(figures.readings, 0u);
    EXPECT_EQ(figures.rate, 0.0);
    EXPECT_EQ(SummaryReadingsLine(figures), "0 readings in 0.000 s");
}

// What the summary says of the file: never "written to" when a reading taken
// is not in it or the file failed.
TEST(ReadingsTally, TheFileLineCountsWhatReachedTheFile) {
    struct Row {
        std::uint64_t taken, inFile;
        bool failed;
        const char *said;
    } const rows[] = {
        {400, 400, false, "written to w.csv"},
        {0, 0, false, "written to w.csv"},
        {3356, 1818, true, "3356 readings taken, 1818 in w.csv"},
        {1, 0, true, "1 reading taken, 0 in w.csv"},
        {5, 5, true, ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(SummaryFileLine(row.taken, row.inFile, "w.csv", row.failed), row.said)
            << row.taken << " taken, " << row.inFile << " in the file";
}

TEST(ReadingsCsv, ADropIsARowWithTextWhereTheTimeGoes) {
    EXPECT_EQ(CsvDropLine(1), "1 reading dropped,,,,\r\n");
    EXPECT_EQ(CsvDropLine(8192), "8192 readings dropped,,,,\r\n");
}

TEST(ReadingsStatus, OneLineWithCountRateTimeAndWeights) {
    char line[kStatusSize];
    const float weights[4] = {1.5f, -0.25f, 0.0f, 12.0f};
    FormatStatus(12345, 2001.31, 3723.9, weights, line);
    EXPECT_STREQ(line, "12345 readings  2001.3/s  1:02:03  1.500 -0.250 0.000 12.000");
    FormatStatus(0, 0, 0, nullptr, line);
    EXPECT_STREQ(line, "0 readings  0.0/s  0:00:00  waiting");
    FormatStatus(3, 1, 1, nullptr, line);
    EXPECT_STREQ(line, "3 readings  1.0/s  0:00:01  read failed");
    const float huge[4] = {-3e38f, -3e38f, -3e38f, -3e38f};
    const std::size_t length = FormatStatus(std::numeric_limits<std::uint64_t>::max(), 1e300, 1e300, huge, line);
    EXPECT_EQ(length, std::strlen(line));
    EXPECT_LT(length, kStatusSize);
}
