// The event log's source list as the installer finds and leaves it.
#include <gtest/gtest.h>

#include "ExpectedText.h"
#include "InstallerProcess.h"
#include "MachineState.h"

using namespace installtest;

namespace {

std::vector<BYTE> SourcesAfter(const std::string &arguments, const std::vector<BYTE> &before) {
    SetSourceList(before);
    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome outcome = RunInstaller(kit, arguments);
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(std::string::npos, outcome.output.find("Could not install")) << outcome.output;
    return SourceList();
}

std::vector<BYTE> Raw(const char *bytes, size_t size) { return std::vector<BYTE>(bytes, bytes + size); }

TEST(InstallerSourcesOnInstall, AListHoldingTheSourceIsNotRewritten) {
    // A list no writer would make: rewritten, it would come out different.
    const std::vector<BYTE> before = Raw("Eventlog\0Mirvo\0\0junk", 21);
    EXPECT_EQ(Printable(before), Printable(SourcesAfter("-i -y", before)));
}

TEST(InstallerSourcesOnInstall, OtherLetterCaseIsAnotherSource) {
    EXPECT_EQ(Printable(MultiString({"mirvo", "Mirvo"})), Printable(SourcesAfter("-i -y", MultiString({"mirvo"}))));
}

TEST(InstallerSourcesOnInstall, ALongerNameIsAnotherSource) {
    EXPECT_EQ(Printable(MultiString({"Eventlog", "Mirvo2", "Mirvo"})),
              Printable(SourcesAfter("-i -y", MultiString({"Eventlog", "Mirvo2"}))));
}

TEST(InstallerSourcesOnInstall, AListWithoutItsClosingZeroKeepsItsLastName) {
    EXPECT_EQ(Printable(MultiString({"Eventlog", "Mirvo"})), Printable(SourcesAfter("-i -y", Raw("Eventlog\0", 9))));
}

// The service is made and started before the list is read.
void ExpectUnreadableList() {
    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome outcome = RunInstaller(kit, "-i -y");
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ((Lines{"Driver installed and started ok", "Could not install: Error reading EventLog\\Sources"}),
              Tail(outcome.Lines(), 2));
    EXPECT_FALSE(MachineKeyExists(kSourceKey));
}

TEST(InstallerSourcesOnInstall, AListOfAnotherTypeEndsTheInstall) {
    WriteMachineValue(kEventLogKey, "Sources", REG_SZ, MultiString({"Eventlog"}));
    ExpectUnreadableList();
}

TEST(InstallerSourcesOnInstall, AnEmptyListEndsTheInstall) {
    WriteMachineValue(kEventLogKey, "Sources", REG_MULTI_SZ, {});
    ExpectUnreadableList();
}

TEST(InstallerSourcesOnInstall, AMissingListEndsTheInstall) {
    ASSERT_EQ(ERROR_SUCCESS, testreg::DeleteValue(kEventLogKey, "Sources"));
    ExpectUnreadableList();
}

TEST(InstallerSourcesOnUninstall, OnlyTheFirstOfTwoEntriesGoes) {
    EXPECT_EQ(Printable(MultiString({"Eventlog", "Other", "Mirvo"})),
              Printable(SourcesAfter("-x -y", MultiString({"Eventlog", "Mirvo", "Other", "Mirvo"}))));
}

TEST(InstallerSourcesOnUninstall, ALastEntryShrinksTheListBySixBytes) {
    const std::vector<BYTE> before = MultiString({"Eventlog", "Other", "Mirvo"});
    const std::vector<BYTE> after = SourcesAfter("-x -y", before);
    EXPECT_EQ(Printable(MultiString({"Eventlog", "Other"})), Printable(after));
    EXPECT_EQ(before.size() - 6, after.size());
}

TEST(InstallerSourcesOnUninstall, AListWithoutTheSourceIsLeftAlone) {
    const std::vector<BYTE> before = MultiString({"mirvo", "Mirvo2"});
    EXPECT_EQ(Printable(before), Printable(SourcesAfter("-x -y", before)));
}

// An unreadable list ends the uninstall after the files, before the service:
// the list stays as it was and the service stays installed.
void ExpectUninstallEndsAtTheList(const char *what) {
    ScratchKit kit;
    const std::optional<RegistryValue> before = ReadMachineValue(kEventLogKey, "Sources");
    const Outcome outcome = RunInstaller(kit, "-x -y");
    ASSERT_TRUE(outcome.finished) << what;
    EXPECT_EQ(0u, outcome.exitCode) << what;
    ASSERT_FALSE(outcome.Lines().empty()) << what;
    EXPECT_EQ("Could not install: Error reading EventLog\\Sources", outcome.Lines().back()) << what;
    EXPECT_TRUE(QueryMirvoService()) << what << ": the service was removed";
    EXPECT_FALSE(MachineKeyExists(kSourceKey)) << what << ": the source key goes first";
    const std::optional<RegistryValue> after = ReadMachineValue(kEventLogKey, "Sources");
    ASSERT_EQ(before.has_value(), after.has_value()) << what;
    if (before) {
        EXPECT_EQ(Printable(before->data), Printable(after->data)) << what << ": the list was written";
    }
}

TEST(InstallerSourcesOnUninstall, AListOfAnotherTypeEndsTheUninstall) {
    // Installed first: the install needs a readable list.
    WriteMachineValue(kEventLogKey, "Sources", REG_MULTI_SZ, MultiString({"Eventlog"}));
    ScratchKit kit;
    kit.AddStandInFiles();
    ASSERT_EQ(kInstallComplete, RunInstaller(kit, "-i -y").Lines().back());
    WriteMachineValue(kEventLogKey, "Sources", REG_SZ, MultiString({"Eventlog", "Mirvo"}));
    ExpectUninstallEndsAtTheList("a list of another type");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), ReadMachineValue(kEventLogKey, "Sources")->type);
}

TEST(InstallerSourcesOnUninstall, AnEmptyOrMissingListEndsTheUninstall) {
    ScratchKit kit;
    kit.AddStandInFiles();
    ASSERT_EQ(kInstallComplete, RunInstaller(kit, "-i -y").Lines().back());
    WriteMachineValue(kEventLogKey, "Sources", REG_MULTI_SZ, {});
    ExpectUninstallEndsAtTheList("an empty list");
    ASSERT_EQ(ERROR_SUCCESS, testreg::DeleteValue(kEventLogKey, "Sources"));
    ExpectUninstallEndsAtTheList("a missing list");
}

}  // namespace
