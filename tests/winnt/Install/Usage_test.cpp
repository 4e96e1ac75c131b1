// The usage guide, the choice of action and the platform check, end to end.
#include <gtest/gtest.h>

#include "ExpectedText.h"
#include "InstallerProcess.h"
#include "MachineState.h"

using namespace installtest;

namespace {

const Lines kUsageAfterBanner = {
    "This program installs Mirvo, the driver for the Qorim KVT ",
    "four channel high-speed loadcell interface card. Usage:",
    "",
    "Install [-i] [-x] [-y] [-f]",
    "",
    "command line options:",
    "  -i  Install the drivers from the directory from which ",
    "      install.exe is running",
    "  -x  Uninstall the driver (this will delete driver files ",
    "      and clean up the registry)",
    "  -y  Do not pause after install/uninstall (use this option ",
    "      if calling install.exe from your own installation program)",
    "  -f  Do not copy files. (Use this option if your own install ",
    "      program will copy Mirvo.sys to System32\\Drivers and ",
    "      Mirvo.dll to System32 prior to running install",
    "",
    "Please read the installation section of Mirvo_nt.doc",
    "before installing anything.",
};

void ExpectUsage(const std::string &arguments) {
    ScratchKit kit;
    const Outcome outcome = RunInstaller(kit, arguments);
    ExpectCleanEnd(outcome);
    const Lines lines = outcome.Lines();
    ASSERT_EQ(20u, lines.size()) << "arguments '" << arguments << "':\n" << outcome.output;
    EXPECT_EQ("", lines[0]);
    EXPECT_EQ(0u, lines[1].find("INSTALL.EXE")) << lines[1];
    EXPECT_EQ(lines[1].size() - 11, lines[1].rfind("Usage guide")) << lines[1];
    EXPECT_EQ(kUsageAfterBanner, Lines(lines.begin() + 2, lines.end())) << "arguments '" << arguments << "'";
}

TEST(InstallerUsageGuide, WithoutArguments) { ExpectUsage(""); }
TEST(InstallerUsageGuide, YesAloneSelectsNoAction) { ExpectUsage("-y"); }
TEST(InstallerUsageGuide, NoCopyAloneSelectsNoAction) { ExpectUsage("-f"); }
TEST(InstallerUsageGuide, TwoLettersInOneArgumentSelectNothing) { ExpectUsage("-ix"); }
TEST(InstallerUsageGuide, ALetterWithoutPrefixIsIgnored) { ExpectUsage("i"); }
TEST(InstallerUsageGuide, ALonePrefixAndADoublePrefixSelectNothing) { ExpectUsage("- --i \"\""); }

TEST(InstallerActionChoice, UninstallWinsOverInstall) {
    ScratchKit kit;
    kit.AddStandInFiles();
    // No console to answer from: the question counts as declined.
    const Outcome outcome = RunInstaller(kit, "/X -i");
    ExpectCleanEnd(outcome);
    EXPECT_EQ(kQuestion, outcome.Lines());
    EXPECT_FALSE(QueryMirvoService()) << "the install ran too";
}

void ExpectRefusedOn(const std::string &version) {
    PretendWindowsVersion(version);
    for (const char *arguments : {"", "-i -y", "-x -y", "-y"}) {
        ScratchKit kit;
        kit.AddStandInFiles();
        const Outcome outcome = RunInstaller(kit, arguments);
        ExpectCleanEnd(outcome);
        EXPECT_EQ(Lines{kNotNT4}, outcome.Lines()) << version << ", arguments '" << arguments << "'";
    }
    EXPECT_FALSE(QueryMirvoService());
    EXPECT_FALSE(FileExists(SystemFolder() + "Mirvo.dll"));
}

TEST(InstallerPlatformCheck, Windows98IsRefusedWhateverTheOptions) { ExpectRefusedOn("win98"); }
TEST(InstallerPlatformCheck, NT351IsRefusedWhateverTheOptions) { ExpectRefusedOn("nt351"); }

TEST(InstallerPlatformCheck, NT40Passes) {
    PretendWindowsVersion("nt40");
    ExpectUsage("");
    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome outcome = RunInstaller(kit, "-i -y");
    ExpectCleanEnd(outcome);
    ASSERT_FALSE(outcome.Lines().empty()) << outcome.output;
    EXPECT_EQ(kInstallComplete, outcome.Lines().back()) << outcome.output;
}

}  // namespace
