// The panel's pure rules: statistics, zeros, the chart's axis and history,
// the reading queue, the rate and the field texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "BoundedQueue.h"
#include "ChannelStats.h"
#include "ChannelZeros.h"
#include "ChartHistory.h"
#include "ChartScale.h"
#include "PanelText.h"
#include "RateMeter.h"

namespace kvtmon {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(ChannelStats, MinMaxMeanOfASeriesAndReset) {
    ChannelStats stats;
    EXPECT_EQ(0u, stats.Count());
    EXPECT_EQ(0.0, stats.Mean()) << "no division by zero before the first weight";
    for (double weight : {2.0, -1.5, 7.25, 0.25}) stats.Add(weight);
    EXPECT_EQ(4u, stats.Count());
    EXPECT_EQ(-1.5, stats.Min());
    EXPECT_EQ(7.25, stats.Max());
    EXPECT_DOUBLE_EQ(2.0, stats.Mean());
    stats.Reset();
    stats.Add(-3);
    EXPECT_EQ(-3, stats.Min()) << "the reset forgets the old minimum";
    EXPECT_EQ(-3, stats.Max()) << "the first weight after a reset is the maximum too, though negative";
    EXPECT_EQ(-3, stats.Mean());
}

TEST(ChannelStats, WeightsThatAreNoNumbersAreLeftOut) {
    ChannelStats stats;
    for (double weight : {kNan, 1.0, kInf, 3.0, -kInf}) stats.Add(weight);
    EXPECT_EQ(2u, stats.Count());
    EXPECT_EQ(1.0, stats.Min());
    EXPECT_EQ(3.0, stats.Max());
    EXPECT_EQ(2.0, stats.Mean());
}

TEST(ChannelZeros, OneChannelAllChannelsAndClear) {
    ChannelZeros zeros;
    EXPECT_FALSE(zeros.IsSet(0));
    EXPECT_EQ(1.5, zeros.Apply(0, 1.5)) << "no zero: the weight as it is";
    zeros.Set(1, 2.5f);
    EXPECT_TRUE(zeros.IsSet(1));
    EXPECT_FALSE(zeros.IsSet(0));
    EXPECT_EQ(-0.5, zeros.Apply(1, 2.0));
    EXPECT_EQ(2.0, zeros.Apply(0, 2.0)) << "a zero belongs to its channel only";
    zeros.SetAll({1, -1, 0.5f, 100});
    const double expected[] = {0, 2, 0.5, -99};
    for (int channel = 0; channel < 4; ++channel) {
        EXPECT_TRUE(zeros.IsSet(channel)) << channel;
        EXPECT_EQ(expected[channel], zeros.Apply(channel, 1.0)) << channel;
    }
    zeros.Clear();
    for (int channel = 0; channel < 4; ++channel) EXPECT_FALSE(zeros.IsSet(channel)) << channel;
}

TEST(ChannelZeros, NoChannelAndNoNumberLeaveTheZeroAsItWas) {
    ChannelZeros zeros;
    zeros.Set(-1, 5);
    zeros.Set(4, 5);
    EXPECT_FALSE(zeros.IsSet(-1));
    EXPECT_FALSE(zeros.IsSet(4));
    EXPECT_EQ(1.0, zeros.Apply(4, 1.0));
    zeros.Set(2, 3);
    zeros.Set(2, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(1.0, zeros.Apply(2, 4.0)) << "a nan reading does not become the zero";
}

struct RangeRow {
    const char *name;
    double dataLow, dataHigh;
    double low, high, step;
};

void PrintTo(const RangeRow &row, std::ostream *out) { *out << row.dataLow << ".." << row.dataHigh; }

class AutoRangeTest : public ::testing::TestWithParam<RangeRow> {};

TEST_P(AutoRangeTest, RoundEndsAroundTheData) {
    const RangeRow &row = GetParam();
    const AxisRange range = AutoRange(row.dataLow, row.dataHigh);
    EXPECT_DOUBLE_EQ(row.low, range.low);
    EXPECT_DOUBLE_EQ(row.high, range.high);
    EXPECT_DOUBLE_EQ(row.step, range.step);
    EXPECT_LT(range.low, std::fmin(row.dataLow, row.dataHigh)) << "the data fits, off the frame";
    EXPECT_GT(range.high, std::fmax(row.dataLow, row.dataHigh)) << "the data fits, off the frame";
    const auto ticks = AxisTicks(range);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_LE(ticks.size(), 6u) << "at most five intervals";
    EXPECT_DOUBLE_EQ(range.low, ticks.front());
    EXPECT_DOUBLE_EQ(range.high, ticks.back());
}

INSTANTIATE_TEST_SUITE_P(
    ChartScale, AutoRangeTest,
    ::testing::Values(RangeRow{"Unit", 0, 1, -0.5, 1.5, 0.5}, RangeRow{"Loadcells", -0.25, 12, -5, 15, 5},
                      RangeRow{"Reversed", 12, -0.25, -5, 15, 5}, RangeRow{"SteadyFour", 2, 8, 0, 10, 2},
                      RangeRow{"Small", 1.001, 1.004, 1, 1.005, 0.001}, RangeRow{"Negative", -730, -120, -800, 0, 200},
                      RangeRow{"FlatAtZero", 0, 0, -1, 1, 0.5}, RangeRow{"FlatAt1000", 1000, 1000, 900, 1100, 50},
                      RangeRow{"Huge", -3e38, 3e38, -4e38, 4e38, 2e38}),
    [](const ::testing::TestParamInfo<RangeRow> &info) { return info.param.name; });

TEST(ChartScale, NoDataGivesZeroToOne) {
    for (double end : {kNan, kInf, -kInf}) {
        const AxisRange range = AutoRange(end, 1);
        EXPECT_EQ(0, range.low) << end;
        EXPECT_EQ(1, range.high) << end;
    }
}

TEST(ChartScale, FixedRangeKeepsItsEndsAndFallsBackWhenEmpty) {
    AxisRange range = FixedRange(-5, 15);
    EXPECT_EQ(-5, range.low);
    EXPECT_EQ(15, range.high);
    EXPECT_EQ(5, range.step);
    const std::vector<double> ticks{-5, 0, 5, 10, 15};
    EXPECT_EQ(ticks, AxisTicks(range));
    range = FixedRange(3, 3);
    EXPECT_LT(range.low, 3);
    EXPECT_GT(range.high, 3);
    range = FixedRange(10, 0);
    EXPECT_EQ(0, range.low) << "ends the wrong way round are taken the right way";
    EXPECT_EQ(10, range.high);
}

TEST(ChartScale, TicksHaveNoNegativeZero) {
    for (double tick : AxisTicks(AutoRange(-0.3, 0.3))) EXPECT_FALSE(tick == 0 && std::signbit(tick));
}

TEST(ChartScale, WeightToRowIsLinearAndClamped) {
    const AxisRange range{0, 10, 2};
    EXPECT_EQ(10, WeightToRow(range, 10, 10, 110));
    EXPECT_EQ(110, WeightToRow(range, 0, 10, 110));
    EXPECT_EQ(85, WeightToRow(range, 2.5, 10, 110));
    EXPECT_EQ(10, WeightToRow(range, 1e30, 10, 110)) << "above the range: the top row";
    EXPECT_EQ(110, WeightToRow(range, -kInf, 10, 110)) << "below the range: the bottom row";
    EXPECT_EQ(110, WeightToRow(range, kNan, 10, 110));
    EXPECT_EQ(110, WeightToRow(AxisRange{1, 1, 1}, 1, 10, 110)) << "an empty range divides by nothing";
}

TEST(ChartScale, AgeToColumnRunsFromNowAtTheRight) {
    EXPECT_EQ(500, AgeToColumn(0, 10000, 0, 500));
    EXPECT_EQ(0, AgeToColumn(10000, 10000, 0, 500));
    EXPECT_EQ(250, AgeToColumn(5000, 10000, 0, 500));
    EXPECT_EQ(0, AgeToColumn(60000, 10000, 0, 500));
    EXPECT_EQ(500, AgeToColumn(-5, 10000, 0, 500));
}

Reading At(std::uint32_t timeMs, float weight) {
    Reading reading;
    reading.timeMs = timeMs;
    for (float &channel : reading.weights) channel = weight;
    return reading;
}

TEST(ChartHistory, OnePointPerSliceHoldingTheMean) {
    ChartHistory history(10000, 50);
    history.Add(At(1000, 1));
    history.Add(At(1020, 2));
    history.Add(At(1049, 6));
    history.Add(At(1050, 8));
    ASSERT_EQ(2u, history.Points().size());
    EXPECT_EQ(1000u, history.Points()[0].timeMs);
    EXPECT_DOUBLE_EQ(3.0, history.Points()[0].weights[3]);
    EXPECT_EQ(1050u, history.Points()[1].timeMs);
    EXPECT_EQ(8.0, history.Points()[1].weights[0]);
}

TEST(ChartHistory, ForgetsWhatIsOlderThanTheSpanAcrossTheClocksWrap) {
    ChartHistory history(1000, 100);
    const std::uint32_t start = 0xFFFFFF00u;  // the clock wraps 256 ms later
    for (std::uint32_t t = 0; t <= 3000; t += 100) history.Add(At(start + t, static_cast<float>(t)));
    ASSERT_FALSE(history.Points().empty());
    EXPECT_EQ(3000.0, history.Points().back().weights[0]);
    EXPECT_LE(history.Points().size(), 11u);
    for (const ChartPoint &point : history.Points())
        EXPECT_LE(start + 3000 - point.timeMs, 1000u) << "a point older than the span is left";
}

TEST(BoundedQueue, TakesInOrderAndCountsWhatAFullQueueDrops) {
    BoundedQueue<int> queue(3);
    for (int item = 1; item <= 5; ++item) EXPECT_EQ(item <= 3, queue.Push(item)) << item;
    EXPECT_EQ(2u, queue.Dropped());
    std::vector<int> out{0};
    queue.TakeAll(out);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), out) << "appended, oldest first";
    EXPECT_EQ(0u, queue.Size());
    // Round the ring's end.
    for (int item = 6; item <= 8; ++item) EXPECT_TRUE(queue.Push(item));
    out.clear();
    queue.TakeAll(out);
    EXPECT_EQ((std::vector<int>{6, 7, 8}), out);
    EXPECT_EQ(2u, queue.Dropped()) << "the count of drops stays";
    BoundedQueue<int> none(0);
    EXPECT_EQ(1u, none.Capacity()) << "a queue always holds one";
}

TEST(RateMeter, ReadingsPerSecondOverTheWindow) {
    RateMeter meter(1000);
    EXPECT_EQ(0, meter.PerSecond());
    meter.Sample(0xFFFFFE00u, 0);
    EXPECT_EQ(0, meter.PerSecond()) << "one sample tells no rate";
    std::uint64_t total = 0;
    for (std::uint32_t t = 1; t <= 20; ++t) meter.Sample(0xFFFFFE00u + t * 100, total += 50);
    EXPECT_DOUBLE_EQ(500.0, meter.PerSecond()) << "across the clock's wrap";
    for (std::uint32_t t = 21; t <= 40; ++t) meter.Sample(0xFFFFFE00u + t * 100, total += 200);
    EXPECT_DOUBLE_EQ(2000.0, meter.PerSecond()) << "the old rate has left the window";
    meter.Reset();
    EXPECT_EQ(0, meter.PerSecond());
}

struct TextRow {
    double weight;
    const char *text;
};

TEST(PanelText, WeightsWithThreeDecimals) {
    const TextRow rows[] = {{1.5, "1.500"}, {-0.25, "-0.250"}, {0, "0.000"}, {-0.0001, "0.000"},
                            {12, "12.000"}, {1234567.125, "1234567.125"}, {kInf, "inf"}, {-kInf, "-inf"}, {kNan, "nan"}};
    for (const TextRow &row : rows) EXPECT_EQ(row.text, WeightText(row.weight)) << row.weight;
    EXPECT_EQ(314u, WeightText(-1.7976931348623157e308).size()) << "the longest double is whole";
    EXPECT_EQ("-", StatText(5, 0));
    EXPECT_EQ("5.000", StatText(5, 1));
    EXPECT_EQ("1234 readings/s", RateText(1234.4));
    EXPECT_EQ("12 readings, 3 dropped", CountText(12, 3));
    EXPECT_EQ("7 recorded", RecordedText(7));
    EXPECT_EQ("7 recorded, 8192 dropped", RecordedText(7, 8192));
    EXPECT_EQ("card's pace", PaceText(kPaceChoices[0])) << "the first choice is the card's pace";
    EXPECT_EQ("card's pace", PaceText(kNan));
    EXPECT_EQ("100 per second", PaceText(100));
}

}  // namespace
}  // namespace kvtmon
