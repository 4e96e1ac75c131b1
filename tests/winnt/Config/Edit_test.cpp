// "Edit card" through the real window and the card library's setup dialog,
// answered like a user.
#include <gtest/gtest.h>

#include "ConfigProgram.h"
#include "SimCard.h"

using namespace cfgtest;

namespace {

void StartReady(ConfigProgram &program) {
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
}

}  // namespace

TEST(Edit, FreeSlotCancelLeavesItFree) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    SetConfigState(1);
    ConfigProgram program;
    StartReady(program);
    ASSERT_TRUE(program.Select(9));
    ASSERT_TRUE(program.Press(kEditCard));
    HWND setup = program.WaitForSetup("KVT10");
    ASSERT_TRUE(setup);
    EXPECT_TRUE(CardExists(9)) << "the subkey exists while the setup runs";
    ASSERT_TRUE(uiauto::PressButton(setup, IDCANCEL));
    ASSERT_TRUE(uiauto::WaitForWindowGone(setup));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(CardExists(9));
    EXPECT_EQ(program.Lines()[9], FreeLine(9));
    EXPECT_EQ(program.Selection(), 9);
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
    EXPECT_EQ(program.Status(), kLoaded);
}

TEST(Edit, FreeSlotOkStoresTheSetupAndMarksTheChange) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    SetConfigState(1);
    ConfigProgram program;
    StartReady(program);
    ASSERT_TRUE(program.Select(3));
    ASSERT_TRUE(program.Press(kEditCard));
    HWND setup = program.WaitForSetup("KVT4");
    ASSERT_TRUE(setup);
    SendMessageTimeoutA(GetDlgItem(setup, kSetupAddress), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>("3C0"), SMTO_ABORTIFHUNG, 2000, nullptr);
    ASSERT_TRUE(uiauto::PressButton(setup, IDOK));
    ASSERT_TRUE(uiauto::WaitForWindowGone(setup));
    ASSERT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kNotLoaded));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_EQ(ReadValue(CardKeyPath(3), "Address"), std::optional<DWORD>(0x3C0));
    EXPECT_EQ(ReadValue(CardKeyPath(3), "ConfigState"), std::optional<DWORD>(0)) << "state cleared";
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
    EXPECT_EQ(program.Lines()[3], UsedLine(3, 0x3C0, "Unknown"));
    EXPECT_EQ(program.Selection(), 3);
}

TEST(Edit, ConfiguredSlotCancelChangesNothing) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    WriteCard(5, 0x350, 1);
    SetConfigState(1);
    ConfigProgram program;
    StartReady(program);
    ASSERT_TRUE(program.Select(5));
    ASSERT_TRUE(program.Press(kEditCard));
    HWND setup = program.WaitForSetup("KVT6");
    ASSERT_TRUE(setup);
    EXPECT_EQ(uiauto::ControlText(setup, kSetupAddress).find("350") != std::string::npos, true)
        << "preset from the slot: " << uiauto::ControlText(setup, kSetupAddress);
    ASSERT_TRUE(uiauto::PressButton(setup, IDCANCEL));
    ASSERT_TRUE(uiauto::WaitForWindowGone(setup));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_EQ(ReadValue(CardKeyPath(5), "Address"), std::optional<DWORD>(0x350));
    EXPECT_EQ(ReadValue(CardKeyPath(5), "ConfigState"), std::optional<DWORD>(1));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
    EXPECT_EQ(program.Status(), kLoaded);
    EXPECT_EQ(program.Selection(), 5);
}
