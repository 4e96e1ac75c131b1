// The texts the reader samples make of a read: the printf line and the
// fixed columns.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "WeightText.h"

namespace {

// Formats into a buffer full of junk, so an unterminated or overlong line shows.
template <std::size_t Size>
std::string Terminated(const char (&text)[Size]) {
    const void *end = std::memchr(text, '\0', Size);
    if (!end) return "<no terminating zero in the " + std::to_string(Size) + " bytes>";
    return std::string(text, static_cast<const char *>(end) - text);
}

std::string Line(const float *channels) {
    char line[kit::kWeightLineSize];
    std::memset(line, 0xbd, sizeof line);
    kit::FormatWeightLine(channels, line);
    return Terminated(line);
}

std::string Line(float ch1, float ch2, float ch3, float ch4) {
    const float channels[4] = {ch1, ch2, ch3, ch4};
    return Line(channels);
}

std::string Column(float weight) {
    char column[kit::kWeightColumnSize];
    std::memset(column, 0xbd, sizeof column);
    kit::FormatWeightColumn(weight, column);
    return Terminated(column);
}

std::string Columns(float ch1, float ch2, float ch3, float ch4) {
    const float channels[4] = {ch1, ch2, ch3, ch4};
    char line[kit::kWeightColumnsSize];
    std::memset(line, 0xbd, sizeof line);
    kit::FormatWeightColumns(channels, line);
    return Terminated(line);
}

TEST(WeightLine, FourChannelsInOrderWithThreeDecimals) {
    EXPECT_EQ("1.500 -0.250 0.000 12.000", Line(1.5f, -0.25f, 0.0f, 12.0f));
    EXPECT_EQ("0.001 999.999 -1000.000 123456.000", Line(0.0005f, 999.999f, -1000.0f, 123456.0f))
        << "each float is widened to double and rounded to three decimals";
}

TEST(WeightLine, FailedReadSaysReadError) { EXPECT_EQ("read error", Line(nullptr)); }

TEST(WeightLine, TinyValuesKeepTheirSign) {
    EXPECT_EQ("0.000 -0.000 -0.000 0.000", Line(FLT_TRUE_MIN, -FLT_TRUE_MIN, -0.0f, 0.0004f));
}

TEST(WeightLine, LargestMagnitudesFitTheBuffer) {
    const std::string most = "-340282346638528859811704183484516925440.000";
    const std::string line = Line(-FLT_MAX, -FLT_MAX, -FLT_MAX, -FLT_MAX);
    EXPECT_EQ(most + " " + most + " " + most + " " + most, line);
    EXPECT_EQ(179u, line.size()) << "the longest line four floats can give";
}

// The C99 formatter's renderings, the same on every Windows version (the
// system C library would show "1.#INF00" and the like).
TEST(WeightLine, InfinitiesAndNotANumberAsPercentF) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ("inf -inf nan 2.000", Line(inf, -inf, nan, 2.0f));
    EXPECT_EQ("nan 0.000 0.000 0.000", Line(-nan, 0, 0, 0)) << "this formatter shows no sign on a NaN";
}

TEST(WeightColumns, EachValueRightJustifiedInEightWithThreeDecimals) {
    EXPECT_EQ("   1.500  -0.250   0.000  12.000", Columns(1.5f, -0.25f, 0.0f, 12.0f));
    EXPECT_EQ(" -99.999 999.999", Columns(-99.999f, 999.999f, 0, 0).substr(0, 16)) << "the widest padded texts";
}

TEST(WeightColumns, LongerTextsTouchTheirNeighbourAndAreCutAtTen) {
    EXPECT_EQ("1234.567-123.456", Columns(1234.567f, -123.456f, 0, 0).substr(0, 16)) << "exactly eight";
    EXPECT_EQ("12345.678", Column(12345.678f)) << "nine, whole";
    EXPECT_EQ("-12345.678", Column(-12345.678f)) << "ten, whole";
    EXPECT_EQ("1234567.50", Column(1234567.5f)) << "only decimals are cut";
    EXPECT_EQ("1000000000", Column(1e9f)) << "the cut takes the point and decimals, no digit";
    EXPECT_EQ("   0.000-1234567.01000000000   1.000", Columns(0, -1234567.0f, 1e9f, 1.0f));
}

// A cut that would drop whole digits shows ten '#' instead of a false number.
TEST(WeightColumns, WholeDigitsBeyondTheCutShowTheOverflowMark) {
    EXPECT_EQ("##########", Column(1e10f)) << "10000000000 must not read 1000000000";
    EXPECT_EQ("##########", Column(-1e9f));
    EXPECT_EQ("-999999936", Column(-999999936.0f)) << "ten characters before the point: still a number";
    EXPECT_EQ("##########", Column(FLT_MAX));
    EXPECT_EQ("##########", Column(-FLT_MAX));
    EXPECT_EQ("##########   1.000####################", Columns(1e36f, 1.0f, -1e36f, 3e38f));
}

TEST(WeightColumns, InfinitiesAndNotANumberRightJustified) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ("     inf    -inf     nan   2.000", Columns(inf, -inf, std::numeric_limits<float>::quiet_NaN(), 2.0f));
}

TEST(WeightColumns, TinyValuesKeepTheirSign) {
    EXPECT_EQ("  -0.000   0.000", Columns(-FLT_TRUE_MIN, 0.0004f, 0, 0).substr(0, 16));
}

}  // namespace
