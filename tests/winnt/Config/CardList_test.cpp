// The card list: 32 lines in slot order, used and free slots, and the state
// codes, which are read only while the driver runs.
#include <gtest/gtest.h>

#include "ConfigProgram.h"

using namespace cfgtest;

TEST(CardList, DriverNotRunningShowsEveryStateUnknown) {
    ASSERT_EQ(CreateUnstartableService(), "");
    WriteCard(0, 0x3A0, 1);
    WriteCard(2);                    // used, with neither value
    WriteCard(5, 0x12345678, 5);
    WriteCard(31, 0xFFFFFFFF, 3);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());

    std::vector<std::string> lines = program.Lines();
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], UsedLine(0, 0x3A0, "Unknown"));
    EXPECT_EQ(lines[1], "KVT2\t [not used]");
    EXPECT_EQ(lines[2], "KVT3\t at 0x00000000 (Unknown)");
    EXPECT_EQ(lines[5], "KVT6\t at 0x12345678 (Unknown)");
    EXPECT_EQ(lines[30], "KVT31\t [not used]");
    EXPECT_EQ(lines[31], "KVT32\t at 0xFFFFFFFF (Unknown)");
    EXPECT_EQ(program.Selection(), 0);
    EXPECT_EQ(program.Status(), kNotLoaded) << "no ConfigState reads as not loaded";
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}

TEST(CardList, ConfigStateOtherThanOneIsNotLoaded) {
    ASSERT_EQ(CreateUnstartableService(), "");
    for (DWORD state : {0ul, 2ul, 0xFFFFFFFFul}) {
        SCOPED_TRACE(state);
        SetConfigState(state);
        ConfigProgram program;
        ASSERT_TRUE(program.StartPastDriverWarning());
        EXPECT_EQ(program.Status(), kNotLoaded);
        EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
    }
}
