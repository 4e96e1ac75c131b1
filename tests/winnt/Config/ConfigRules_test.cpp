// The configuration utility's rules, called directly: slot names and key
// paths, where found cards go, and the texts of the error boxes (the card
// list lines and the status line are in CardText_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DetectionPlacement.h"
#include "StoreErrorText.h"
#include "StoreNames.h"
#include "WindowText.h"

using namespace cfg;

TEST(StoreNames, FirstAndLastSlot) {
    EXPECT_EQ(CardName(0), "KVT1");
    EXPECT_EQ(CardName(31), "KVT32");
    EXPECT_EQ(CardKeyPath(0), "System\\CurrentControlSet\\Services\\Mirvo\\0");
    EXPECT_EQ(CardKeyPath(9), "System\\CurrentControlSet\\Services\\Mirvo\\9");
    EXPECT_EQ(CardKeyPath(31), "System\\CurrentControlSet\\Services\\Mirvo\\31");
}

TEST(Placement, LowestFreeSlotsInProbeOrder) {
    std::vector<bool> used(MIRVO_MAX_CARDS, false);
    used[0] = used[2] = true;
    auto placed = PlaceFoundCards({0x300, 0x310, 0x320}, [&](int slot) { return used[slot]; });
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].slot, 1);
    EXPECT_EQ(placed[0].address, 0x300u);
    EXPECT_EQ(placed[1].slot, 3);
    EXPECT_EQ(placed[1].address, 0x310u);
    EXPECT_EQ(placed[2].slot, 4);
    EXPECT_EQ(placed[2].address, 0x320u);
}

TEST(Placement, StopsAskingOnceEveryCardIsPlaced) {
    std::vector<int> asked;
    auto placed = PlaceFoundCards({0x300}, [&](int slot) {
        asked.push_back(slot);
        return slot < 3;
    });
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].slot, 3);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2, 3}));
}

TEST(Placement, EachCardIsWrittenBeforeTheNextSlotIsAsked) {
    std::vector<std::string> calls;
    PlaceFoundCards(
        {0x300, 0x310}, [&](int slot) { return calls.push_back("ask " + std::to_string(slot)), slot == 1; },
        [&](const CardPlacement &card) { calls.push_back("create " + std::to_string(card.slot)); });
    EXPECT_EQ(calls, (std::vector<std::string>{"ask 0", "create 0", "ask 1", "ask 2", "create 2"}));
}

TEST(Placement, MoreCardsThanFreeSlots) {
    std::vector<DWORD> found;
    for (DWORD i = 0; i < 5; ++i) found.push_back(0x300 + 0x10 * i);
    auto placed = PlaceFoundCards(found, [](int slot) { return slot != 7 && slot != 31; });
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].slot, 7);
    EXPECT_EQ(placed[0].address, 0x300u);
    EXPECT_EQ(placed[1].slot, 31);
    EXPECT_EQ(placed[1].address, 0x310u);

    int asked = 0;
    EXPECT_TRUE(PlaceFoundCards(found, [&](int) { return ++asked, true; }).empty());
    EXPECT_EQ(asked, MIRVO_MAX_CARDS) << "every slot is looked at when none is free";
}

TEST(Placement, NothingFoundAsksNothing) {
    bool asked = false;
    EXPECT_TRUE(PlaceFoundCards({}, [&](int) { return asked = true; }).empty());
    EXPECT_FALSE(asked);
}

TEST(RegistryErrorText, SystemTextOrUnknown) {
    EXPECT_EQ(RegistryErrorText(5, std::string("Access denied.\r\n")), "Access denied.\r\n");
    EXPECT_EQ(RegistryErrorText(0x3F5, std::nullopt), "Unknown error 3F5");
    EXPECT_EQ(RegistryErrorText(0xDEADBEEF, std::string()), "Unknown error DEADBEEF");
}

TEST(RegistryErrorText, LongTextIsCutNotLost) {
    std::string exact(127, 'a');
    EXPECT_EQ(RegistryErrorText(1, exact), exact);
    std::string longer = std::string(127, 'b') + "tail";
    EXPECT_EQ(RegistryErrorText(1, longer), std::string(127, 'b'));
}

TEST(ErrorMessages, SystemError) {
    EXPECT_EQ(SystemErrorMessage(5, "Access denied."), "Win32 Error.  Code: 5.\nAccess denied.");
    EXPECT_EQ(SystemErrorMessage(0, "ignored"), "A Win32 API function failed");
    EXPECT_EQ(SystemErrorMessage(0x80000005, "x"), "Win32 Error.  Code: -2147483643.\nx");
}

TEST(ErrorMessages, UnexpectedErrorNamesKindModuleAndAddress) {
    EXPECT_EQ(UnexpectedErrorText("SystemError", "mirvocfg.exe", 0x1A2B, "Win32 Error.  Code: 5.\nx"),
              "SystemError in module mirvocfg.exe at offset 0x00001A2B.\n\nWin32 Error.  Code: 5.\nx");
}

TEST(ErrorMessages, TrimSystemText) {
    EXPECT_EQ(TrimSystemText("Access denied.\r\n"), "Access denied.");
    EXPECT_EQ(TrimSystemText("\r\n"), "");
    EXPECT_EQ(TrimSystemText("a\r\nb \r\n"), "a\r\nb");
}
