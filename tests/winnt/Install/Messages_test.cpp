// Failure messages and how lines reach standard output.
#include <gtest/gtest.h>

#include "Console.h"
#include "Failure.h"

using installation::ConsoleLine;
using installation::PlatformErrorMessage;

namespace {

TEST(InstallerPlatformErrorMessage, CodeInDecimalThenTheTextOnTheNextLine) {
    EXPECT_EQ("Win32 Error.  Code: 1073.\nService exists", PlatformErrorMessage(1073, "Service exists"));
    EXPECT_EQ("Win32 Error.  Code: 5.\n", PlatformErrorMessage(5, ""));
}

TEST(InstallerPlatformErrorMessage, ACodeOfZeroHasAMessageOfItsOwn) {
    EXPECT_EQ("A Win32 API function failed", PlatformErrorMessage(0, "whatever"));
}

TEST(InstallerConsoleLines, EveryLineEndsWithCarriageReturnAndLineFeed) {
    EXPECT_EQ("\r\n", ConsoleLine(""));
    EXPECT_EQ("Service deleted\r\n", ConsoleLine("Service deleted"));
    EXPECT_EQ("a\r\nb\r\n", ConsoleLine("a\nb"));
    EXPECT_EQ("File not found.\r\n\r\n", ConsoleLine("File not found.\r\n")) << "a system text keeps its own break";
    EXPECT_EQ("\r\n\r\n", ConsoleLine("\n"));
}

}  // namespace
