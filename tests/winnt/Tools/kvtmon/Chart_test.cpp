// The chart as the screen shows it: each channel's colour at the height its
// weight gives, and Hold that keeps the picture while reading goes on.
#include <cstdlib>

#include "ChartLook.h"
#include "ChartScale.h"
#include "KvtmonPanel.h"

namespace kvtmon_test {
namespace {

bool NearColour(std::uint32_t pixel, std::uint32_t colour) {
    // Lines may be drawn smoothed: a little tolerance per component.
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) - static_cast<int>((colour >> shift) & 0xFF)) > 40)
            return false;
    }
    return true;
}

struct PlottedLine {
    double row = -1;  // the mean row of its pixels; -1: the colour is not there
    int pixels = 0;
    int columns = 0;  // columns with at least one of its pixels
};

// Where the colour lies in the right half of the plot (the newest
// readings, below the legend).
PlottedLine LineOf(const uiauto::Pixels &pixels, std::uint32_t colour) {
    PlottedLine trace;
    double sum = 0;
    for (int x = pixels.width / 2; x < pixels.width; ++x) {
        bool inColumn = false;
        for (int y = kvtmon::kChartTopMargin; y < pixels.height; ++y) {
            if (NearColour(pixels.data[y * pixels.width + x], colour)) {
                sum += y;
                ++trace.pixels;
                inColumn = true;
            }
        }
        trace.columns += inColumn;
    }
    if (trace.pixels) trace.row = sum / trace.pixels;
    return trace;
}

// Steady weights 2, 4, 6 and 8: four lines of plainly distinct colours,
// evenly spaced from the bottom up, each at least two pixels wide.
TEST_F(KvtmonTest, ChartShowsEachChannelsColourAtItsHeight) {
    simcard::SetWeights("KVT1", 2, 4, 6, 8);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_TRUE(WaitForField(IDC_VALUE1 + 3, "8.000"));
    Sleep(2000);  // the lines reach into the right half
    const uiauto::Pixels pixels = ChartPixels();
    ASSERT_GT(pixels.width, 100);
    double rows[4];
    for (int channel = 0; channel < 4; ++channel) {
        const PlottedLine trace = LineOf(pixels, kvtmon::kChannelColours[channel]);
        rows[channel] = trace.row;
        ASSERT_GE(trace.row, 0) << "channel " << channel + 1 << "'s colour is not in the chart";
        EXPECT_GE(trace.columns, 20) << "channel " << channel + 1 << "'s line is hardly there";
        EXPECT_GE(trace.pixels, trace.columns * kvtmon::kChartLineWidth * 9 / 10)
            << "channel " << channel + 1 << "'s line is not " << kvtmon::kChartLineWidth << " pixels wide";
    }
    const double spacing = (rows[0] - rows[3]) / 3;
    ASSERT_GT(spacing, 10) << "the lines lie on top of each other";
    for (int channel = 1; channel < 4; ++channel)
        EXPECT_NEAR(rows[0] - channel * spacing, rows[channel], 2.0)
            << "channel " << channel + 1 << " is not where its weight puts it";
}

// "Fixed range" from 0 to 20: each line at the height its weight has on
// that scale, not where the self-scaling axis (about 2 to 8) puts it.
TEST_F(KvtmonTest, FixedRangeDrawsEachWeightOnTheGivenScale) {
    simcard::SetWeights("KVT1", 2, 4, 6, 8);
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND high = uiauto::Control(window_, IDC_RANGEHIGH);
    ASSERT_TRUE(SendMessageTimeoutA(high, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("20"), SMTO_ABORTIFHUNG,
                                    uiauto::kDefaultTimeoutMs, nullptr));
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_FIXEDRANGE));
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_TRUE(WaitForField(IDC_VALUE1 + 3, "8.000"));
    Sleep(2000);  // the lines reach into the right half
    const uiauto::Pixels pixels = ChartPixels();
    // The plot in the captured pixels: inside the chart's border.
    HWND chart = uiauto::Control(window_, IDC_CHART);
    RECT outer{}, client{};
    GetWindowRect(chart, &outer);
    GetClientRect(chart, &client);
    POINT origin{0, 0};
    ClientToScreen(chart, &origin);
    const int border = origin.y - outer.top;
    const kvtmon::AxisRange scale = kvtmon::FixedRange(0, 20);
    for (int channel = 0; channel < 4; ++channel) {
        const double weight = 2.0 * (channel + 1);
        const int row = kvtmon::WeightToRow(scale, weight, kvtmon::kChartTopMargin,
                                            client.bottom - kvtmon::kChartBottomMargin);
        EXPECT_NEAR(border + row, LineOf(pixels, kvtmon::kChannelColours[channel]).row, 2.0)
            << "channel " << channel + 1 << " is not where " << weight << " lies between 0 and 20";
    }
}

TEST_F(KvtmonTest, HoldKeepsThePictureWhileTheCountGrows) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    Sleep(500);
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_HOLD));
    // Hold paints the frozen picture once; on a busy machine that paint can
    // come late, so the reference is the first picture that stays put.
    uiauto::Pixels held;
    ASSERT_TRUE(uiauto::WaitUntil([&] {
        held = ChartPixels();
        Sleep(250);
        return held.data == ChartPixels().data;
    })) << "the chart never stood still after Hold";
    const Strings values = Values();
    const std::uint64_t count = Readings();
    Sleep(1500);
    EXPECT_GT(Readings(), count) << "reading goes on while held";
    EXPECT_EQ("reading", Field(IDC_STATE));
    EXPECT_TRUE(held.data == ChartPixels().data) << "the chart changed while held";
    EXPECT_EQ(values, Values()) << "the values changed while held";

    ASSERT_TRUE(uiauto::PressButton(window_, IDC_HOLD));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return held.data != ChartPixels().data; }))
        << "the chart stays still after Hold again";
}

// Reset while held starts the statistics again underneath and leaves what
// is held on show.
TEST_F(KvtmonTest, ResetDuringHoldLeavesTheHeldFieldsAlone) {
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0, 12);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_TRUE(WaitForField(IDC_MEAN1 + 3, "12.000"));
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_HOLD));
    const Strings held[] = {Values(), StatsColumn(IDC_MIN1), StatsColumn(IDC_MAX1), StatsColumn(IDC_MEAN1)};
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_RESET));
    Sleep(500);
    const Strings now[] = {Values(), StatsColumn(IDC_MIN1), StatsColumn(IDC_MAX1), StatsColumn(IDC_MEAN1)};
    for (int column = 0; column < 4; ++column) EXPECT_EQ(held[column], now[column]) << "column " << column;
}

// The legend above the plot: a clear gap between each channel's name and
// the next channel's swatch, whatever the names' font.
TEST_F(KvtmonTest, TheLegendsNamesStopShortOfTheNextSwatch) {
    ASSERT_NO_FATAL_FAILURE(Start());
    // The first picture, once the last channel's swatch shows in the legend.
    uiauto::Pixels pixels;
    ASSERT_TRUE(uiauto::WaitUntil([&] {
        pixels = ChartPixels();
        for (int x = 0; x < pixels.width; ++x)
            if (NearColour(pixels.data[11 * pixels.width + x], kvtmon::kChannelColours[3])) return true;
        return false;
    })) << "no legend was drawn";
    const std::uint32_t background = pixels.data[3 * pixels.width + pixels.width - 3];
    for (int channel = 1; channel < 4; ++channel) {
        int swatch = -1;  // the swatch's first column, on its middle row
        for (int x = 0; x < pixels.width && swatch < 0; ++x)
            if (NearColour(pixels.data[11 * pixels.width + x], kvtmon::kChannelColours[channel])) swatch = x;
        ASSERT_GT(swatch, 8) << "channel " << channel + 1 << "'s swatch is not in the legend";
        for (int x = swatch - 6; x < swatch; ++x)
            for (int y = 2; y < kvtmon::kChartTopMargin - 2; ++y)
                EXPECT_EQ(background, pixels.data[y * pixels.width + x])
                    << "channel " << channel << "'s name reaches column " << x << ", row " << y << ": the swatch of channel "
                    << channel + 1 << " starts at " << swatch;
    }
}

}  // namespace
}  // namespace kvtmon_test
