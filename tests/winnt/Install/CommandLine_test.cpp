// Splitting the command line and choosing options. No Windows header: these
// cases also run natively under the sanitizers (tests/native).
#include <gtest/gtest.h>

#include "CommandLine.h"

#include <string>
#include <vector>

using installation::ArgumentSelects;
using installation::ChooseAction;
using installation::CommandLineSelects;
using installation::InstallerAction;
using installation::SplitCommandLine;

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

TEST(InstallerAction, UninstallWinsOverInstall) {
    EXPECT_EQ(InstallerAction::Uninstall, ChooseAction("INSTALL.EXE -i -x"));
    EXPECT_EQ(InstallerAction::Uninstall, ChooseAction("INSTALL.EXE /X -I -y"));
    EXPECT_EQ(InstallerAction::Install, ChooseAction("INSTALL.EXE -f \\i"));
    EXPECT_EQ(InstallerAction::Usage, ChooseAction("INSTALL.EXE -y -f -ix"));
    EXPECT_EQ(InstallerAction::Usage, ChooseAction("-x"));
}

TEST(InstallerAction, OneParseGivesTheActionAndBothSwitches) {
    const installation::InstallerOptions options = installation::ParseOptions("INSTALL.EXE /Y -i \\F");
    EXPECT_EQ(InstallerAction::Install, options.action);
    EXPECT_TRUE(options.noQuestion);
    EXPECT_TRUE(options.noCopy);
    const installation::InstallerOptions bare = installation::ParseOptions("INSTALL.EXE -x");
    EXPECT_EQ(InstallerAction::Uninstall, bare.action);
    EXPECT_FALSE(bare.noQuestion || bare.noCopy);
}

}  // namespace
