// Delete card and Edit card through the real window, and the "Error" box of
// a card subkey that cannot be created.
#include <gtest/gtest.h>

#include "ConfigProgram.h"
#include "ExpectBox.h"

using namespace cfgtest;

TEST(Delete, ConfiguredSlot) {
    ASSERT_EQ(CreateUnstartableService(), "");
    SetConfigState(1);
    WriteCard(4, 0x340, 1);
    WriteCard(5, 0x350);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());
    ASSERT_EQ(program.Status(), kLoaded);

    ASSERT_TRUE(program.Select(4));
    ASSERT_TRUE(program.Press(kDeleteCard));
    ASSERT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kNotLoaded));
    EXPECT_FALSE(CardExists(4));
    EXPECT_TRUE(CardExists(5));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
    std::vector<std::string> lines = program.Lines();
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[4], FreeLine(4));
    EXPECT_EQ(lines[5], UsedLine(5, 0x350, "Unknown"));
    EXPECT_EQ(program.Selection(), 4);
    EXPECT_FALSE(uiauto::HasMessageBox(program.id())) << "no question, no error";
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}

TEST(Delete, FreeSlotStillMarksTheConfigurationChanged) {
    ASSERT_EQ(CreateUnstartableService(), "");
    SetConfigState(1);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());
    ASSERT_TRUE(program.Select(31));
    ASSERT_TRUE(program.Press(kDeleteCard));
    ASSERT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kNotLoaded));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
    EXPECT_FALSE(CardExists(31));
    EXPECT_EQ(program.Lines().size(), 32u);
    EXPECT_EQ(program.Lines()[31], FreeLine(31));
    EXPECT_EQ(program.Selection(), 31);
    EXPECT_FALSE(uiauto::HasMessageBox(program.id())) << "deleting a free slot is no error";
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}

TEST(Delete, NoSelectionDoesNothing) {
    ASSERT_EQ(CreateUnstartableService(), "");
    SetConfigState(1);
    WriteCard(0, 0x3A0);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());
    DWORD_PTR result = 0;
    SendMessageTimeoutA(uiauto::Control(program.window(), kCardList), LB_SETCURSEL, (WPARAM)-1, 0,
                        SMTO_ABORTIFHUNG, 2000, &result);
    ASSERT_EQ(program.Selection(), -1);
    ASSERT_TRUE(program.Press(kDeleteCard));
    ASSERT_TRUE(program.Press(kEditCard));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_TRUE(CardExists(0));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
    EXPECT_EQ(program.Status(), kLoaded);
    EXPECT_FALSE(uiauto::HasMessageBox(program.id()));
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}

namespace {

// The "Error" box with the system's text for `code`, owned by the window,
// answered with OK.
void AnswerErrorBox(ConfigProgram &program, DWORD code) {
    uiauto::MessageBoxInfo box = program.WaitForBox();
    ASSERT_TRUE(box) << "no error box";
    std::string expected = SystemText(code);
    ASSERT_FALSE(expected.empty());
    uiauto::MessageBoxInfo shown = box;
    shown.text = box.text.substr(0, box.text.find_last_not_of("\r\n") + 1);  // the system's line end aside
    uiauto::ExpectBox(shown, {expected, "Error", uiauto::IconKind::Exclamation, {IDOK}, program.window()});
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
}

}  // namespace

TEST(RegistryError, CardSubkeyThatCannotBeCreated) {
    ASSERT_EQ(CreateUnstartableService(), "");
    ASSERT_EQ(MakeServiceKeyVolatile(), "");
    SetConfigState(1);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());

    ASSERT_TRUE(program.Select(6));
    ASSERT_TRUE(program.Press(kEditCard));
    AnswerErrorBox(program, ERROR_CHILD_MUST_BE_VOLATILE);

    // The setup is still asked for; whatever it answers, the slot stays free.
    if (uiauto::MessageBoxInfo setup = program.WaitForBox(3000); setup && setup.caption != "Error")
        uiauto::AnswerMessageBox(setup.window, IDCANCEL);
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(CardExists(6));
    EXPECT_EQ(program.Lines()[6], FreeLine(6));
    EXPECT_EQ(program.Selection(), 6);
    EXPECT_FALSE(uiauto::HasMessageBox(program.id()));
    program.process().Kill();
}

// Delete card's create of the service key fails: the "Error" box, the line
// is read again, and nothing is marked changed (the key does not open).
TEST(RegistryError, ServiceKeyThatCannotBeCreatedOnDelete) {
    ASSERT_EQ(CreateUnstartableService(), "");
    ASSERT_EQ(MakeServiceKeyUncreatable(), "");
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());
    ASSERT_EQ(program.Status(), kNotLoaded);

    ASSERT_TRUE(program.Select(4));
    ASSERT_TRUE(program.Press(kDeleteCard));
    AnswerErrorBox(program, ERROR_CHILD_MUST_BE_VOLATILE);
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_EQ(program.Lines().size(), 32u);
    EXPECT_EQ(program.Lines()[4], FreeLine(4));
    EXPECT_EQ(program.Selection(), 4) << "the line is rebuilt and selected";
    EXPECT_EQ(program.Status(), kNotLoaded);
    EXPECT_FALSE(uiauto::HasMessageBox(program.id()));
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}

// The list box's notifications are no commands: a selection change or a
// double-click on a line changes nothing and shows nothing.
TEST(CardList, SelectionChangeAndDoubleClickDoNothing) {
    ASSERT_EQ(CreateUnstartableService(), "");
    SetConfigState(1);
    WriteCard(3, 0x3D0);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());
    const std::vector<std::string> lines = program.Lines();

    ASSERT_TRUE(program.Select(3));
    HWND list = uiauto::Control(program.window(), kCardList);
    for (WORD notification : {WORD(LBN_SELCHANGE), WORD(LBN_DBLCLK)})
        PostMessageA(program.window(), WM_COMMAND, MAKEWPARAM(kCardList, notification), reinterpret_cast<LPARAM>(list));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(uiauto::HasMessageBox(program.id())) << "no setup, no question";
    EXPECT_EQ(program.Lines(), lines);
    EXPECT_EQ(program.Selection(), 3);
    EXPECT_EQ(program.Status(), kLoaded);
    EXPECT_EQ(ReadValue(CardKeyPath(3), "Address"), std::optional<DWORD>(0x3D0));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}
