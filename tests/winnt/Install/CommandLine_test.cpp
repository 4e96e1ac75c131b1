// Splitting the command line and choosing options; the usage guide's lines.
#include <gtest/gtest.h>

#include "CommandLine.h"
#include "Usage.h"

#include <string>
#include <vector>

using installation::ArgumentSelects;
using installation::CommandLineSelects;
using installation::SplitCommandLine;
using installation::UsageLines;

namespace {

using Args = std::vector<std::string>;

TEST(InstallerCommandLineSplit, BlanksAndControlCharactersSeparate) {
    EXPECT_EQ((Args{"INSTALL.EXE", "-i", "/y"}), SplitCommandLine("INSTALL.EXE  -i\t/y\r\n"));
    EXPECT_EQ((Args{}), SplitCommandLine("   "));
}

TEST(InstallerCommandLineSplit, QuotesHoldBlanksAndAreDropped) {
    EXPECT_EQ((Args{"C:\\My Kit\\INSTALL.EXE", "-i"}), SplitCommandLine("\"C:\\My Kit\\INSTALL.EXE\" -i"));
    EXPECT_EQ((Args{"x", "-i", ""}), SplitCommandLine("x \"-\"i \"\""));
    EXPECT_EQ((Args{"x", "-i y"}), SplitCommandLine("x \"-i y"));
}

TEST(InstallerOptionLetters, AnyPrefixAndEitherCase) {
    for (const char *argument : {"-i", "/i", "\\i", "-I", "/I", "\\I"})
        EXPECT_TRUE(ArgumentSelects(argument, "i")) << argument;
    EXPECT_TRUE(ArgumentSelects("-x", "X"));
}

TEST(InstallerOptionLetters, TheWholeRestMustBeTheLetter) {
    for (const char *argument : {"-if", "--i", "-", "i", "", "+i", "-ix", "- i", "-\xC9"})
        EXPECT_FALSE(ArgumentSelects(argument, "i")) << "'" << argument << "'";
    // Only a-z fold: accented letters are not their ASCII cousins.
    EXPECT_FALSE(ArgumentSelects("-\xE9", "\xC9"));
}

TEST(InstallerOptionLetters, TheProgramsOwnPathIsNoArgument) {
    EXPECT_FALSE(CommandLineSelects("-i", "i"));
    EXPECT_TRUE(CommandLineSelects("INSTALL.EXE foo -f i -i", "i"));
    EXPECT_TRUE(CommandLineSelects("INSTALL.EXE -i -i", "i"));
    EXPECT_FALSE(CommandLineSelects("INSTALL.EXE -f i", "i"));
    EXPECT_TRUE(CommandLineSelects("INSTALL.EXE \"\" -y", "y")) << "an empty argument is skipped";
}

TEST(InstallerUsageGuide, TwentyLinesWithTheirBlanks) {
    const Args lines = UsageLines();
    ASSERT_EQ(20u, lines.size());
    const std::string banner = lines[1];
    EXPECT_EQ(0u, banner.find("INSTALL.EXE")) << banner;
    EXPECT_EQ(banner.size() - 11, banner.rfind("Usage guide")) << banner;
    for (int i : {0, 4, 6, 17}) EXPECT_EQ("", lines[i]) << "line " << i + 1;
    for (int i : {2, 8, 10, 12, 14, 15}) EXPECT_EQ(' ', lines[i].back()) << "line " << i + 1 << " ends with a blank";
    for (int i : {8, 10, 12, 14}) EXPECT_EQ(0u, lines[i].find("  -")) << "line " << i + 1;
    for (int i : {9, 11, 13, 15, 16})
        EXPECT_EQ(6u, lines[i].find_first_not_of(' ')) << "line " << i + 1 << " begins with six blanks";
}

}  // namespace
