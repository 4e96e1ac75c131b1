// The form runtime's pure rules: twips to pixels, tab order, the "Fixed"
// format and joins.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "FixedFormat.h"
#include "FormLayout.h"
#include "Join.h"
#include "Twips.h"

namespace formrt {
namespace {

TEST(TwipsToPixels, AnInchIsTheDisplaysPixelsPerInch) {
    EXPECT_EQ(96, TwipsToPixels(1440, 96));
    EXPECT_EQ(120, TwipsToPixels(1440, 120));
    EXPECT_EQ(0, TwipsToPixels(0, 96));
}

TEST(TwipsToPixels, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
    // 15 twips are one pixel at 96 dpi, 12 at 120.
    EXPECT_EQ(249, TwipsToPixels(3732, 96)) << "248.8";
    EXPECT_EQ(107, TwipsToPixels(1608, 96)) << "107.2";
    EXPECT_EQ(311, TwipsToPixels(3732, 120));
    EXPECT_EQ(134, TwipsToPixels(1608, 120));
    EXPECT_EQ(1, TwipsToPixels(8, 96)) << "0.53";
    EXPECT_EQ(1, TwipsToPixels(6, 120)) << "exactly half a pixel";
    EXPECT_EQ(0, TwipsToPixels(5, 120)) << "0.42";
    EXPECT_EQ(-1, TwipsToPixels(-6, 120)) << "symmetric for negative positions";
    EXPECT_EQ(0, TwipsToPixels(-5, 120));
}

TEST(TwipsToPixels, LargeLayoutsDoNotOverflow) {
    EXPECT_EQ(1490277778, TwipsToPixels(2000000000, 1073)) << "2e9 twips at 1073 dpi";
    EXPECT_EQ(2000000000 / 15, TwipsToPixels(2000000000, 96));
}

TEST(TwipsToPixels, RectanglesUseEachAxissOwnPixelsPerInch) {
    const PixelRect pixels = TwipsToPixels(TwipsRect{240, 840, 972, 372}, 96, 120);
    EXPECT_EQ(16, pixels.left);
    EXPECT_EQ(70, pixels.top);
    EXPECT_EQ(65, pixels.width);
    EXPECT_EQ(31, pixels.height);
}

TEST(TabOrder, FollowsTheTabIndexWithTiesInTableOrder) {
    FormLayout layout{"f", 100, 100, {}};
    for (int tabIndex : {3, 0, 2, 0, 1})
        layout.controls.push_back({ControlKind::Label, "c", "", {}, tabIndex});
    EXPECT_EQ((std::vector<size_t>{1, 3, 4, 2, 0}), TabOrder(layout));
    EXPECT_TRUE(TabOrder(FormLayout{"empty", 1, 1, {}}).empty());
}

struct FixedCase {
    float value;
    const char *text;
};

class FixedFormatTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedFormatTest, GivesTwoDecimalsWithThePoint) {
    EXPECT_EQ(GetParam().text, FormatFixed(GetParam().value, ".")) << "for " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Fixed, FixedFormatTest,
    ::testing::Values(
        // The weights a reader shows; at least one digit before the point.
        FixedCase{1.5f, "1.50"}, FixedCase{0.0f, "0.00"}, FixedCase{-2.25f, "-2.25"}, FixedCase{100.0f, "100.00"},
        FixedCase{0.5f, "0.50"}, FixedCase{-0.75f, "-0.75"},
        // No thousands separators.
        FixedCase{12345.678f, "12345.68"}, FixedCase{-1234567.0f, "-1234567.00"},
        // Rounded on the float's exact value: 2.675f is 2.67499995..., 0.005f is 0.00499999...
        FixedCase{2.675f, "2.67"}, FixedCase{0.005f, "0.00"}, FixedCase{0.015f, "0.01"}, FixedCase{1.999f, "2.00"},
        FixedCase{9.999f, "10.00"}, FixedCase{-99.996f, "-100.00"},
        // Exact halves go away from zero.
        FixedCase{0.125f, "0.13"}, FixedCase{-0.125f, "-0.13"}, FixedCase{0.375f, "0.38"},
        FixedCase{-2.625f, "-2.63"}, FixedCase{1024.875f, "1024.88"},
        // Whatever rounds to zero has no sign.
        FixedCase{-0.0f, "0.00"}, FixedCase{-0.004f, "0.00"}, FixedCase{-0.005001f, "-0.01"},
        FixedCase{FLT_TRUE_MIN, "0.00"}, FixedCase{-FLT_MIN, "0.00"},
        // The largest floats in full.
        FixedCase{FLT_MAX, "340282346638528859811704183484516925440.00"},
        FixedCase{-FLT_MAX, "-340282346638528859811704183484516925440.00"},
        FixedCase{16777217.0f, "16777216.00"},
        // Not numbers.
        FixedCase{std::numeric_limits<float>::infinity(), "Infinity"},
        FixedCase{-std::numeric_limits<float>::infinity(), "-Infinity"},
        FixedCase{std::numeric_limits<float>::quiet_NaN(), "NaN"},
        FixedCase{-std::numeric_limits<float>::quiet_NaN(), "NaN"}),
    [](const ::testing::TestParamInfo<FixedCase> &info) { return "Case" + std::to_string(info.index); });

TEST(FixedFormat, UsesTheSeparatorItIsGiven) {
    EXPECT_EQ("1,50", FormatFixed(1.5f, ","));
    EXPECT_EQ("-2,25", FormatFixed(-2.25f, ","));
    EXPECT_EQ("12345,68", FormatFixed(12345.678f, ","));
    EXPECT_EQ("0::07", FormatFixed(0.07f, "::")) << "the system allows up to three characters";
    EXPECT_EQ("Infinity", FormatFixed(std::numeric_limits<float>::infinity(), ","));
}

TEST(Join, PutsTheSeparatorOnlyBetweenNeighbours) {
    EXPECT_EQ("1.50|0.00|-2.25|100.00", Join({"1.50", "0.00", "-2.25", "100.00"}, "|"));
    EXPECT_EQ("one", Join({"one"}, "|"));
    EXPECT_EQ("", Join({}, "|"));
    EXPECT_EQ("|", Join({"", ""}, "|")) << "empty parts keep their place";
    EXPECT_EQ("a, b", Join({"a", "b"}, ", "));
}

}  // namespace
}  // namespace formrt
