// Leaving mirvocfg: the Exit button, Esc and the close box all ask
// "Stern advice" while the configuration is not loaded, and nothing when it is.
#include <gtest/gtest.h>

#include "ConfigProgram.h"
#include "ExpectBox.h"

using namespace cfgtest;

namespace {

// Answers the question the program asks on the way out, checking it.
void ExpectSternAdvice(ConfigProgram &program, int answer) {
    uiauto::MessageBoxInfo box = program.WaitForBox();
    ASSERT_TRUE(box) << "no question came";
    uiauto::ExpectBox(box, {"Configuration is not loaded. Are you sure you want to exit?", "Stern advice",
                            uiauto::IconKind::Exclamation, {IDOK, IDCANCEL}, program.window()});
    EXPECT_TRUE(IsDefaultButton(box.window, IDCANCEL)) << "Cancel is the default";
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, answer));
}

}  // namespace

TEST(Exit, CancelKeepsTheWindowForEveryWayOut) {
    ASSERT_EQ(CreateUnstartableService(), "");
    SetConfigState(0);
    WriteCard(0, 0x3A0);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());
    const std::vector<std::string> lines = program.Lines();

    struct WayOut {
        const char *name;
        std::function<bool()> press;
    } ways[] = {
        {"Exit button", [&] { return program.Press(kExit); }},
        {"Esc", [&] { return uiauto::PressEscape(program.window()); }},
        {"close box", [&] { return uiauto::CloseFromSystemMenu(program.window()); }},
    };
    for (const WayOut &way : ways) {
        SCOPED_TRACE(way.name);
        ASSERT_TRUE(way.press());
        ExpectSternAdvice(program, IDCANCEL);
        ASSERT_TRUE(program.WaitIdle());
        EXPECT_TRUE(program.process().Running());
        EXPECT_TRUE(IsWindowVisible(program.window()));
        EXPECT_EQ(program.Status(), kNotLoaded);
        EXPECT_EQ(program.Lines(), lines);
        EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
        EXPECT_TRUE(CardExists(0));
    }
}

TEST(Exit, OkEndsTheProgram) {
    ASSERT_EQ(CreateUnstartableService(), "");
    struct WayOut {
        const char *name;
        bool (*press)(HWND);
    } ways[] = {
        {"Exit button", [](HWND w) { return uiauto::PressButton(w, kExit); }},
        {"Esc", [](HWND w) { return uiauto::PressEscape(w); }},
        {"close box", [](HWND w) { return uiauto::CloseFromSystemMenu(w); }},
    };
    for (const WayOut &way : ways) {
        SCOPED_TRACE(way.name);
        DeleteValue(kServiceKey, "ConfigState");  // missing reads as not loaded
        ConfigProgram program;
        ASSERT_TRUE(program.StartPastDriverWarning());
        ASSERT_TRUE(way.press(program.window()));
        ExpectSternAdvice(program, IDOK);
        EXPECT_EQ(program.process().WaitForExit(), std::optional<DWORD>(0));
        EXPECT_FALSE(ConfigState()) << "nothing written on the way out";
    }
}

TEST(Exit, NoQuestionWhenLoaded) {
    ASSERT_EQ(CreateUnstartableService(), "");
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Esc" : "Exit button");
        SetConfigState(1);
        ConfigProgram program;
        ASSERT_TRUE(program.StartPastDriverWarning());
        EXPECT_EQ(program.Status(), kLoaded);
        ASSERT_TRUE(escape ? uiauto::PressEscape(program.window()) : program.Press(kExit));
        EXPECT_EQ(program.process().WaitForExit(), std::optional<DWORD>(0));
        EXPECT_FALSE(uiauto::HasMessageBox(program.id()));
    }
}
