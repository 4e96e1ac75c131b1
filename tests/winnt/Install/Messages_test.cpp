// Failure messages and how lines reach standard output.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "Console.h"
#include "Failure.h"
#include "RunInstaller.h"
#include "SystemText.h"

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

// What the run writes when `steps` end as they do, read from a file that
// stands in for standard output.
std::string RunOutput(const std::function<void()> &steps) {
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    const std::string file = std::string(path) + "run-output.txt";
    const HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    const HANDLE saved = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, out);
    try {
        installation::RunReportingFailure(steps);
    } catch (...) {
        SetStdHandle(STD_OUTPUT_HANDLE, saved);
        CloseHandle(out);
        throw;
    }
    SetStdHandle(STD_OUTPUT_HANDLE, saved);
    CloseHandle(out);
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    DeleteFileA(file.c_str());
    return text.str();
}

// Memory that cannot be had ends the run like a failed platform call, with
// one line and no abort.
TEST(InstallerRun, MemoryThatCannotBeHadEndsInTheFailureLine) {
    const std::string expected = ConsoleLine("Could not install: " +
        PlatformErrorMessage(ERROR_NOT_ENOUGH_MEMORY, installation::SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)));
    ASSERT_NE(std::string::npos, expected.find("Code: 8.\r\n")) << expected;
    EXPECT_EQ(expected, RunOutput([] {
        std::vector<BYTE> list;
        list.resize(list.max_size());  // more than any address space holds
    }));
    EXPECT_EQ(expected, RunOutput([] { throw std::length_error("list"); }));
    EXPECT_EQ("Could not install: Error reading EventLog\\Sources\r\n",
              RunOutput([] { throw installation::InstallFailure("Error reading EventLog\\Sources"); }));
    EXPECT_EQ("", RunOutput([] {}));
}

}  // namespace
