// Mirvo.dll's pure rules: names, handles, addresses and the trace's line
// format (the error-text copy is in CopyErrorText_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../../simcard/include/KvtCardRules.h"
#include "CardNames.h"
#include "TraceFormat.h"

namespace {

TEST(CardNames, OnlyPlainNamesBecomeDevicePaths) {
    EXPECT_TRUE(kvtcard::IsCardName("KVT1"));
    EXPECT_FALSE(kvtcard::IsCardName("..\\pipe\\x"));
    EXPECT_FALSE(kvtcard::IsCardName("KVT1:"));
    EXPECT_FALSE(kvtcard::IsCardName(""));
    EXPECT_EQ(mirvo::DevicePath("KVT1"), "\\\\.\\KVT1");
}

TEST(CardNames, HandlesSurviveTheTripThrough32Bits) {
    LONG card = 0;
    EXPECT_TRUE(mirvo::CardFromHandle(reinterpret_cast<HANDLE>(0x44), &card));
    EXPECT_EQ(card, 0x44);
    EXPECT_EQ(mirvo::HandleFromCard(card), reinterpret_cast<HANDLE>(0x44));
    EXPECT_FALSE(mirvo::CardFromHandle(INVALID_HANDLE_VALUE, &card)) << "-1 means failure";
#ifdef _WIN64
    EXPECT_FALSE(mirvo::CardFromHandle(reinterpret_cast<HANDLE>(0x100000044LL), &card));
#endif
}

TEST(CandidateAddress, ThirtyTwoAddressesFrom0x300) {
    EXPECT_EQ(kvtcard::CandidateAddress(0), 0x300u);
    EXPECT_EQ(kvtcard::CandidateAddress(10), 0x3A0u);
    EXPECT_EQ(kvtcard::CandidateAddress(31), 0x4F0u);
    EXPECT_EQ(kvtcard::CandidateAddress(32), 0u);
    EXPECT_EQ(kvtcard::CandidateAddress(-1), 0u);
}

TEST(TraceFormat, LinesAsDocumented) {
    EXPECT_EQ(mirvo::TraceLine("MirvoInit", {mirvo::Hex8(0x44)}, mirvo::Decimal(1), "", false, 5),
              "MirvoInit(0x00000044) = 1\r\n");
    EXPECT_EQ(mirvo::TraceLine("MirvoOpen", {mirvo::Quoted("KVT1")}, mirvo::Hex8(DWORD(-1)), "",
                               true, 2),
              "MirvoOpen(\"KVT1\") = 0xFFFFFFFF error=0x00000002\r\n");
    const float weights[4] = {1.5f, -0.25f, 0.0f, 12.0f};
    EXPECT_EQ(mirvo::TraceLine("MirvoGetCurrentWeight4", {mirvo::Hex8(0x44), mirvo::Pointer(weights)},
                               "1", mirvo::Weights(weights), false, 0),
              "MirvoGetCurrentWeight4(0x00000044, buffer) = 1 weights=1.5 -0.25 0 12\r\n");
    EXPECT_EQ(mirvo::TraceLine("MirvoSetup", {}, "0", "", true, 0x80000005),
              "MirvoSetup() = 0 error=0x80000005\r\n");
}

TEST(TraceFormat, ArgumentsCannotBreakTheLine) {
    EXPECT_EQ(mirvo::Quoted(nullptr), "NULL");
    EXPECT_EQ(mirvo::Quoted("a\"b\r\nc"), "\"a?b??c\"");
    EXPECT_EQ(mirvo::Quoted(std::string(70, 'K').c_str()), "\"" + std::string(64, 'K') + "\"...");
    EXPECT_EQ(mirvo::Pointer(nullptr), "NULL");
    EXPECT_EQ(mirvo::Decimal(-1), "-1");
}

}  // namespace

namespace {

TEST(SetupRules, CardNamesOfTheThirtyTwoSlots) {
    int slot = -1;
    EXPECT_TRUE(kvtcard::SlotOfCardName("KVT1", &slot));
    EXPECT_EQ(slot, 0);
    EXPECT_TRUE(kvtcard::SlotOfCardName("KVT32", &slot));
    EXPECT_EQ(slot, 31);
    for (const char *bad : {"KVT0", "KVT33", "KVT01", "KVT", "kvt1", "KVT1 ", "KVT999999999999", ""})
        EXPECT_FALSE(kvtcard::SlotOfCardName(bad, &slot)) << bad;
    EXPECT_FALSE(kvtcard::SlotOfCardName<char>(nullptr, &slot));
}

TEST(SetupRules, AddressesInHexadecimal) {
    EXPECT_EQ(mirvo::AddressText(0x3A0), "3A0");
    EXPECT_EQ(mirvo::AddressText(0), "0");
    EXPECT_EQ(mirvo::AddressText(0xFFFFFFFF), "FFFFFFFF");
    DWORD address = 0;
    EXPECT_TRUE(mirvo::ParseAddressText("3c0", &address));
    EXPECT_EQ(address, 0x3C0u);
    EXPECT_TRUE(mirvo::ParseAddressText(" 0X2F0 ", &address));
    EXPECT_EQ(address, 0x2F0u);
    EXPECT_TRUE(mirvo::ParseAddressText("FFFFFFFF", &address));
    EXPECT_EQ(address, 0xFFFFFFFFu);
    for (const char *bad : {"", " ", "0x", "3G0", "-3A0", "100000000", "3A 0"})
        EXPECT_FALSE(mirvo::ParseAddressText(bad, &address)) << bad;
}

}  // namespace
