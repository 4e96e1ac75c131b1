// The card list's lines and the status line, called directly. No Windows
// header: these cases also run natively under the sanitizers (tests/native).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "CardText.h"

using namespace cfg;

TEST(StoreNames, StateTexts) {
    EXPECT_EQ(CardStateText(1), "OK");
    EXPECT_EQ(CardStateText(2), "Resource conflict");
    EXPECT_EQ(CardStateText(3), "Card not found");
    EXPECT_EQ(CardStateText(4), "New card");
    for (std::uint32_t other : {0u, 5u, 6u, 0x80000000u, 0xFFFFFFFFu})
        EXPECT_EQ(CardStateText(other), "Unknown") << "state code " << other;
}

TEST(CardLine, UsedSlot) {
    EXPECT_EQ(FormatCardLineText(0, {true, 0x3A0, 1}), "KVT1\t at 0x000003A0 (OK)");
    EXPECT_EQ(FormatCardLineText(31, {true, 0xFFFFFFFF, 3}), "KVT32\t at 0xFFFFFFFF (Card not found)");
    EXPECT_EQ(FormatCardLineText(4, {true, 0x123456789ull & 0xFFFFFFFF, 2}),
              "KVT5\t at 0x23456789 (Resource conflict)");
}

TEST(CardLine, UsedSlotWithoutValues) {
    EXPECT_EQ(FormatCardLineText(2, {true, 0, 0}), "KVT3\t at 0x00000000 (Unknown)");
    EXPECT_EQ(FormatCardLineText(2, {true, 0xabc, 5}), "KVT3\t at 0x00000ABC (Unknown)");
}

TEST(CardLine, FreeSlotIgnoresValues) {
    EXPECT_EQ(FormatCardLineText(1, {}), "KVT2\t [not used]");
    EXPECT_EQ(FormatCardLineText(1, {false, 0x3A0, 1}), "KVT2\t [not used]");
}

TEST(ConfigStatus, TemplateOfTheResources) {
    const std::string tmpl = "Configuration is %s loaded";
    EXPECT_EQ(FormatConfigStatus(tmpl, false), "Configuration is not loaded");
    EXPECT_EQ(FormatConfigStatus(tmpl, true), "Configuration is  loaded");
}

TEST(ConfigStatus, OddTemplatesAreSafe) {
    EXPECT_EQ(FormatConfigStatus("", false), "");
    EXPECT_EQ(FormatConfigStatus("no word here", false), "no word here");
    EXPECT_EQ(FormatConfigStatus("%s", false), "not");
    EXPECT_EQ(FormatConfigStatus("%s and %s", false), "not and %s");
    EXPECT_EQ(FormatConfigStatus("100%% %s %d %n %", false), "100% not %d %n %");
}
