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

}  // namespace
