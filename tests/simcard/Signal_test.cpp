// The driver's integer-only numbers: float bit patterns and the signal.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "Signal.h"
#include "../../simcard/include/KvtCardRules.h"

namespace {

uint32_t BitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(FloatBitsFromMilli, MatchesTheCompilersRoundedQuotient) {
    // Small, large, negative, and values around powers of two and ties.
    const int32_t samples[] = {0,       1,       -1,      5,        999,       1000,     1500,
                               -250,    12000,   12345,   -12345,   16777,     16777216,
                               8388607, 8388608, 8388609, 33554431, -33554433, 1234567891,
                               INT32_MAX, INT32_MIN + 1, INT32_MIN};
    for (int32_t milli : samples) {
        const float expected = float(double(milli) / 1000.0);  // exact here: see below
        EXPECT_EQ(mirvosys::FloatBitsFromMilli(milli), BitsOf(expected)) << milli;
    }
}

TEST(FloatBitsFromMilli, EveryThousandthOfTheSignalRange) {
    // Within +-2^24 the integer converts exactly, so the float division is
    // the correctly rounded quotient the driver must produce.
    for (int32_t milli = -40000; milli <= 40000; ++milli)
        ASSERT_EQ(mirvosys::FloatBitsFromMilli(milli), BitsOf(float(milli) / 1000.0f)) << milli;
}

TEST(SignalMilli, StaysNearEachChannelsLoadAndMovesSlowly) {
    for (unsigned channel = 0; channel < 4; ++channel) {
        int32_t low = INT32_MAX, high = INT32_MIN;
        int32_t previous = mirvosys::SignalMilli(channel, 0);
        for (uint64_t ms = 0; ms < 60000; ms += 10) {
            const int32_t value = mirvosys::SignalMilli(channel, ms);
            low = value < low ? value : low;
            high = value > high ? value : high;
            EXPECT_LE(value - previous < 0 ? previous - value : value - previous, 10)
                << "channel " << channel << " jumps at " << ms << " ms";
            previous = value;
        }
        EXPECT_GT(low, 1000) << "channel " << channel;
        EXPECT_LT(high, 30000) << "channel " << channel;
        EXPECT_GT(high - low, 400) << "channel " << channel << " hardly moves";
    }
    EXPECT_EQ(mirvosys::SignalMilli(4, 1234), 0);
}

TEST(SignalMilli, ChannelsDiffer) {
    EXPECT_NE(mirvosys::SignalMilli(0, 5000), mirvosys::SignalMilli(1, 5000));
    EXPECT_NE(mirvosys::SignalMilli(2, 5000), mirvosys::SignalMilli(3, 5000));
}

TEST(HexName, EightUpperCaseDigits) {
    wchar_t name[9];
    kvtcard::HexName(0x5, name);
    EXPECT_STREQ(name, L"00000005");
    kvtcard::HexName(0x80000005, name);
    EXPECT_STREQ(name, L"80000005");
    kvtcard::HexName(0xFFFFFFFF, name);
    EXPECT_STREQ(name, L"FFFFFFFF");
    kvtcard::HexName(0xABCDEF01, name);
    EXPECT_STREQ(name, L"ABCDEF01");
}

TEST(IsCardName, LettersAndDigitsUpTo31) {
    EXPECT_TRUE(kvtcard::IsCardName(L"KVT1"));
    EXPECT_TRUE(kvtcard::IsCardName(L"kvt32"));
    EXPECT_TRUE(kvtcard::IsCardName(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"));
    EXPECT_FALSE(kvtcard::IsCardName(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"));
    EXPECT_FALSE(kvtcard::IsCardName(L""));
    EXPECT_FALSE(kvtcard::IsCardName<wchar_t>(nullptr));
    EXPECT_FALSE(kvtcard::IsCardName(L"KVT 1"));
    EXPECT_FALSE(kvtcard::IsCardName(L"..\\KVT1"));
}

}  // namespace

namespace {

TEST(DefaultCardAddress, KvtCardsFollowTheCandidatesFrom0x3A0) {
    EXPECT_EQ(mirvosys::DefaultCardAddress(L"KVT1"), 0x3A0u);
    EXPECT_EQ(mirvosys::DefaultCardAddress(L"KVT2"), 0x3B0u);
    EXPECT_EQ(mirvosys::DefaultCardAddress(L"KVT22"), 0x4F0u);
    EXPECT_EQ(mirvosys::DefaultCardAddress(L"KVT23"), 0x300u) << "wraps to the first candidate";
    EXPECT_EQ(mirvosys::DefaultCardAddress(L"KVT32"), 0x390u);
    for (const wchar_t *other : {L"KVT0", L"KVT33", L"Far", L"KVT", L"KVT1a"})
        EXPECT_EQ(mirvosys::DefaultCardAddress(other), 0x3A0u);
    EXPECT_EQ(kvtcard::CandidateAddress(31), 0x4F0u);
    EXPECT_EQ(kvtcard::CandidateAddress(32), 0u);
}

}  // namespace
