// The event log's source list as other programs may have left it: names
// without terminators, stray bytes, no zeros at all, and lists of megabytes.
// Whatever the installer writes is a closed list that keeps every other name
// whole and in order; a list it cannot read or hold ends the run with the
// "Could not install: " line.
#include <gtest/gtest.h>

#include "InstallerProcess.h"
#include "MachineState.h"
#include "RowName.h"

using namespace installtest;

namespace {

using Names = std::vector<std::string>;

struct SourcesCase {
    const char *what;
    const char *arguments;
    bool crowded;            // the megabytes of ManyNames() come first
    std::string characters;  // as stored (after those), one UTF-16 character each
    bool oddByte;            // one stray byte after them
    Names after;             // the names the run leaves (after those)
    bool written;
};

void PrintTo(const SourcesCase &c, std::ostream *out) { *out << c.what; }

// The few megabytes of a crowded machine: 300000 names of 10 characters.
// Made by the case that needs them: every run of this program lists all
// rows, and making them for each would cost seconds a run.
std::string ManyNames() {
    std::string list;
    char name[16];
    for (int i = 0; i < 300000; ++i) {
        std::snprintf(name, sizeof name, "Source%04X", i);
        list.append(name, 10).push_back('\0');
    }
    return list;
}

class HostileSources : public ::testing::TestWithParam<SourcesCase> {
protected:
    // No megabytes are left in the prefix.
    void TearDown() override { SetSourceList(MultiString({"Eventlog"})); }
};

TEST_P(HostileSources, KeepsEveryOtherNameAndWritesAClosedList) {
    const SourcesCase &c = GetParam();
    const std::string characters = c.crowded ? ManyNames() + c.characters : c.characters;
    Names names = c.crowded ? NamesOf(Bytes(ManyNames())) : Names();
    names.insert(names.end(), c.after.begin(), c.after.end());
    ASSERT_EQ(ERROR_SUCCESS, SetStoredSourceList(Bytes(characters), c.oddByte));
    const std::vector<BYTE> stored = StoredSourceList();
    ASSERT_EQ(characters.size() * 2 + (c.oddByte ? 1 : 0), stored.size()) << "stored as given";
    // The installer reads through the ANSI entry, as this does: a stray byte
    // is no character and does not reach it.
    ASSERT_TRUE(SourceList() == Bytes(characters)) << Printable(SourceList()).substr(0, 200);

    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome outcome = RunInstaller(kit, c.arguments);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ(std::string::npos, outcome.output.find("Could not install")) << outcome.output;

    const std::vector<BYTE> after = SourceList();
    EXPECT_TRUE(NamesOf(after) == names) << Printable(after).substr(0, 200);
    if (c.written) {
        EXPECT_TRUE(IsClosedList(after)) << Printable(after).substr(0, 200);
        EXPECT_EQ(0u, StoredSourceList().size() % 2) << "whole characters only";
    } else {
        EXPECT_TRUE(StoredSourceList() == stored) << "rewritten";
    }
}

using std::string_literals::operator""s;

INSTANTIATE_TEST_SUITE_P(
    Installer, HostileSources,
    ::testing::Values(
        SourcesCase{"InstallLastNameWithoutZero", "-i -y", false, "Eventlog\0Other"s, false, {"Eventlog", "Other", "Mirvo"}, true},
        SourcesCase{"InstallNoZeroAtAll", "-i -y", false, "Eventlog"s, false, {"Eventlog", "Mirvo"}, true},
        SourcesCase{"InstallStrayByteAfterTheClosingZero", "-i -y", false, "Eventlog\0\0"s, true, {"Eventlog", "Mirvo"}, true},
        SourcesCase{"InstallStrayCharacterAfterTheClosingZero", "-i -y", false, "Eventlog\0\0X"s, false, {"Eventlog", "Mirvo"}, true},
        SourcesCase{"InstallOddCountHoldingTheSource", "-i -y", false, "Eventlog\0Mirvo\0\0"s, true, {"Eventlog", "Mirvo"}, false},
        SourcesCase{"InstallMegabytes", "-i -y", true, "\0"s, false, {"Mirvo"}, true},
        SourcesCase{"InstallMegabytesEndingInTheSource", "-i -y", true, "Mirvo\0\0"s, false, {"Mirvo"}, false},
        SourcesCase{"UninstallLastNameWithoutZero", "-x -y", false, "Eventlog\0Mirvo\0Other"s, false, {"Eventlog", "Other"}, true},
        SourcesCase{"UninstallNoZeroAfterTheSource", "-x -y", false, "Eventlog\0Mirvo"s, false, {"Eventlog"}, true},
        SourcesCase{"UninstallStrayByteAfterTheClosingZero", "-x -y", false, "Mirvo\0Eventlog\0\0"s, true, {"Eventlog"}, true},
        SourcesCase{"UninstallMegabytesEndingInTheSource", "-x -y", true, "Mirvo\0\0"s, false, {}, true},
        SourcesCase{"UninstallMegabytesWithoutTheSource", "-x -y", true, "\0"s, false, {}, false}),
    RowName<SourcesCase>);

}  // namespace
