// Keys pressed at the installer's console: the uninstall question and the
// pause after an install.
#include <gtest/gtest.h>

#include "ExpectedText.h"
#include "InstallerProcess.h"
#include "MachineState.h"

using namespace installtest;

namespace {

const std::vector<INPUT_RECORD> kShiftAlone = KeyPress(VK_SHIFT, 0);

std::vector<INPUT_RECORD> operator+(std::vector<INPUT_RECORD> a, const std::vector<INPUT_RECORD> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void InstallStandIn() {
    ScratchKit kit;
    kit.AddStandInFiles();
    ASSERT_EQ(kInstallComplete, RunInstaller(kit, "-i -y").Lines().back());
}

void ExpectDeclinedBy(const std::vector<INPUT_RECORD> &keys, const char *what) {
    InstallStandIn();
    ScratchKit kit;
    const Outcome outcome = RunInstallerWithKeys(kit, "-x", keys);
    EXPECT_TRUE(outcome.finished) << what << " did not end the question";
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ(kQuestion, outcome.Lines()) << what;
    EXPECT_TRUE(FileExists(SystemFolder() + "Mirvo.dll")) << what << " removed the files";
    EXPECT_TRUE(QueryMirvoService()) << what << " removed the service";
}

TEST(InstallerUninstallQuestion, LowerCaseYRemoves) {
    InstallStandIn();
    ScratchKit kit;
    const Outcome outcome = RunInstallerWithKeys(kit, "-x", KeyPress('Y', 'y'));
    ASSERT_TRUE(outcome.finished);
    const Lines lines = outcome.Lines();
    ASSERT_GE(lines.size(), 5u) << outcome.output;
    EXPECT_EQ(kQuestion, Head(lines, 3));
    EXPECT_EQ((Lines{"Service deleted", "Mirvo driver removed"}), Tail(lines, 2))
        << outcome.output;
    EXPECT_FALSE(FileExists(SystemFolder() + "Mirvo.dll"));
}

TEST(InstallerUninstallQuestion, NDeclinesSilently) { ExpectDeclinedBy(KeyPress('N', 'n'), "n"); }
TEST(InstallerUninstallQuestion, EnterDeclinesSilently) { ExpectDeclinedBy(KeyPress(VK_RETURN, '\r'), "Enter"); }
TEST(InstallerUninstallQuestion, EscapeDeclinesSilently) { ExpectDeclinedBy(KeyPress(VK_ESCAPE, '\x1b'), "Escape"); }

TEST(InstallerUninstallQuestion, ShiftAloneIsNoAnswer) {
    InstallStandIn();
    ScratchKit kit;
    const Outcome waiting = RunInstallerWithKeys(kit, "-x", kShiftAlone, 2000);
    EXPECT_FALSE(waiting.finished) << "Shift alone answered the question";
    EXPECT_EQ(kQuestion, waiting.Lines());
    // Shift, then y: the y is the answer.
    const Outcome answered = RunInstallerWithKeys(kit, "-x", kShiftAlone + KeyPress('Y', 'Y'));
    EXPECT_TRUE(answered.finished);
    EXPECT_EQ("Mirvo driver removed", answered.Lines().back()) << answered.output;
}

TEST(InstallerUninstallQuestion, YesOptionAsksNothing) {
    InstallStandIn();
    ScratchKit kit;
    // No key is ever pressed: the run must not wait for one.
    const Outcome outcome = RunInstallerWithKeys(kit, "-x -y", {});
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ((Lines{"Service deleted", "Mirvo driver removed"}),
              Tail(outcome.Lines(), 2))
        << outcome.output;
    EXPECT_EQ(std::string::npos, outcome.output.find("Do you wish")) << outcome.output;
    EXPECT_EQ(std::string::npos, outcome.output.find("Press any key")) << outcome.output;
}

TEST(InstallerInstallPause, WaitsForAKey) {
    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome waiting = RunInstallerWithKeys(kit, "-i", {}, 2000);
    EXPECT_FALSE(waiting.finished) << "the pause did not wait";
    ASSERT_FALSE(waiting.Lines().empty());
    EXPECT_EQ("Press any key to continue...", waiting.Lines().back());
}

TEST(InstallerInstallPause, ShiftAloneEndsIt) {
    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome outcome = RunInstallerWithKeys(kit, "-i", kShiftAlone);
    EXPECT_TRUE(outcome.finished) << "Shift alone did not end the pause";
    EXPECT_EQ(0u, outcome.exitCode);
    ASSERT_FALSE(outcome.Lines().empty());
    EXPECT_EQ("Press any key to continue...", outcome.Lines().back()) << "something followed the pause";
}

TEST(InstallerInstallPause, YesOptionDoesNotPause) {
    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome outcome = RunInstallerWithKeys(kit, "-i -y", {});
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(kInstallComplete, outcome.Lines().back());
}

// The pause belongs to a finished install: a caught failure ends the run at
// once, also without -y and with a console to wait on.
TEST(InstallerInstallPause, AFailureEndsWithoutAPause) {
    InstallStandIn();
    ScratchKit kit;
    const Outcome outcome = RunInstallerWithKeys(kit, "-i -f", {}, 5000);
    EXPECT_TRUE(outcome.finished) << "the failed install waited for a key";
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_NE(std::string::npos, outcome.output.find("Could not install: Win32 Error.  Code: 1073."))
        << outcome.output;
    EXPECT_EQ(std::string::npos, outcome.output.find("Press any key")) << outcome.output;
}

}  // namespace
