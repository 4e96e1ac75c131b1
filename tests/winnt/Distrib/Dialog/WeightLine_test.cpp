// The status line of a read, as the Read handler formats it.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "WeightLine.h"

namespace {

// Formats into a buffer full of junk, so an unterminated or overlong line shows.
std::string Line(const MIRVO_WEIGHTS4 *weights) {
    char line[mirvo_bc::kWeightLineSize];
    std::memset(line, 0xbd, sizeof line);
    mirvo_bc::FormatWeightLine(weights, line);
    const void *end = std::memchr(line, '\0', sizeof line);
    if (!end) return "<no terminating zero in the 256 bytes>";
    return std::string(line, static_cast<const char *>(end) - line);
}

std::string Line(float ch1, float ch2, float ch3, float ch4) {
    const MIRVO_WEIGHTS4 weights = {{ch1, ch2, ch3, ch4}};
    return Line(&weights);
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

}  // namespace
