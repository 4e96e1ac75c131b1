// Start-up of the real mirvocfg.exe: the platform check, the driver service
// missing, not startable, stopped or already running.
#include <gtest/gtest.h>

#include "ConfigProgram.h"
#include "ExpectBox.h"
#include "Registry.h"

using namespace cfgtest;
using uiauto::IconKind;

namespace {

// The one box a program shows before it ends, with no window of its own.
void ExpectFatalError(const char *text) {
    ConfigProgram program;
    ASSERT_TRUE(program.process().Started()) << program.process().Error();
    // The program's first sight: it gets a program start's time.
    uiauto::MessageBoxInfo box = program.WaitForBox(kit_test::kProgramStartTimeoutMs);
    ASSERT_TRUE(box) << "no box came";
    uiauto::ExpectBox(box, {text, "Fatal Error", IconKind::Stop, {IDOK}, nullptr});  // the fatal box has no owner
    EXPECT_EQ(uiauto::FindTopWindow(program.id(), "MIRVOCFG", nullptr, false), nullptr)
        << "the window is never created";
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    EXPECT_EQ(program.process().WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace

TEST(Startup, ServiceMissing) {
    ExpectFatalError("Mirvo driver is not installed");
}

TEST(Startup, NotWindowsNT) {
    // Wine reports Windows 98 to this one program; the service is there, so
    // only the platform check can stop it.
    ASSERT_EQ(CreateUnstartableService(), "");
    ASSERT_EQ(testreg::WriteString("Software\\Wine\\AppDefaults\\mirvocfg.exe", "Version", "win98",
                                   HKEY_CURRENT_USER),
              ERROR_SUCCESS);
    ExpectFatalError("This program requires Windows NT");
}

TEST(Startup, DriverCannotStart) {
    ASSERT_EQ(CreateUnstartableService(), "");
    SetConfigState(1);
    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());

    uiauto::MessageBoxInfo box = program.WaitForBox();
    ASSERT_TRUE(box) << "no warning came";
    uiauto::ExpectBox(box, {"Mirvo driver could not be started. Some features of the program will be disabled",
                            "Moderately severe error", IconKind::Exclamation, {IDOK}, program.window()});
    EXPECT_EQ(program.Status(), "Configuration is %s loaded") << "the template shows behind the warning";
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    ASSERT_TRUE(program.WaitIdle());

    EXPECT_EQ(program.Status(), kLoaded);
    EXPECT_FALSE(uiauto::IsControlEnabled(program.window(), kLoadConfig));
    EXPECT_FALSE(uiauto::IsControlEnabled(program.window(), kFindCards));
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kDeleteCard));
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kEditCard));
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kExit));
    EXPECT_EQ(uiauto::ControlText(program.window(), kLoadConfig), "&Load config");
    EXPECT_EQ(uiauto::ControlText(program.window(), kFindCards), "&Find new cards");

    // Delete still works, and the buttons stay greyed.
    WriteCard(3, 0x3C0);
    ASSERT_TRUE(program.Select(3));
    ASSERT_TRUE(program.Press(kDeleteCard));
    EXPECT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kNotLoaded));
    EXPECT_FALSE(CardExists(3));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
    EXPECT_FALSE(uiauto::IsControlEnabled(program.window(), kLoadConfig));
    EXPECT_FALSE(uiauto::IsControlEnabled(program.window(), kFindCards));
    EXPECT_FALSE(uiauto::HasMessageBox(program.id())) << "no second warning";

    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}
