// The system's texts for error codes: reported lines and trimmed texts.
#include <gtest/gtest.h>

#include "Console.h"
#include "MessageText.h"
#include "SystemText.h"
#include "UniqueHandle.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using installation::ReportSystemError;
using installation::SystemErrorText;
using installation::TrimSystemText;
using installation::UnknownErrorLine;

namespace {

// What a call writes to standard output, caught in a file.
template <typename Call>
std::string OutputOf(Call call) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "report-output.txt";
    {
        const kit::FileHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
        const HANDLE saved = GetStdHandle(STD_OUTPUT_HANDLE);
        SetStdHandle(STD_OUTPUT_HANDLE, file.get());
        call();
        SetStdHandle(STD_OUTPUT_HANDLE, saved);
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    in.close();
    DeleteFileA(path.c_str());
    return text.str();
}

std::string RawSystemText(DWORD code) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        0, text, sizeof text, nullptr);
    return std::string(text, length);
}

// A code the system has no text for.
DWORD CodeWithoutText() {
    for (DWORD code = 0xABCDEF;; ++code)
        if (RawSystemText(code).empty()) return code;
}

TEST(InstallerReportSystemError, SuccessWritesNothing) {
    bool result = false;
    EXPECT_EQ("", OutputOf([&] { result = ReportSystemError(0); }));
    EXPECT_TRUE(result);
}

TEST(InstallerReportSystemError, WritesTheSystemsTextAndEndsTheLine) {
    const std::string text = RawSystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    bool result = true;
    EXPECT_EQ(text + "\r\n", OutputOf([&] { result = ReportSystemError(ERROR_FILE_NOT_FOUND); }));
    EXPECT_FALSE(result);
}

TEST(InstallerReportSystemError, ACodeWithoutTextIsShownInUpperCaseHex) {
    const DWORD code = CodeWithoutText();
    char expected[40];
    std::snprintf(expected, sizeof expected, "Unknown error %lX\r\n", static_cast<unsigned long>(code));
    EXPECT_EQ(expected, OutputOf([&] { ReportSystemError(code); }));
    EXPECT_EQ("Unknown error FF", UnknownErrorLine(255));
    EXPECT_EQ("Unknown error DEADBEEF", UnknownErrorLine(0xDEADBEEF));
}

TEST(InstallerReportSystemError, ATextWithInsertsIsShownAsItStands) {
    DWORD code = 0;
    while (code < 20000 && RawSystemText(code).find("%1") == std::string::npos) ++code;
    if (code == 20000) GTEST_SKIP() << "this system has no text with an insert";
    EXPECT_EQ(RawSystemText(code) + "\r\n", OutputOf([&] { ReportSystemError(code); }));
    EXPECT_EQ(TrimSystemText(RawSystemText(code)), SystemErrorText(code));
}

TEST(InstallerSystemErrorText, TrimmedOfLineBreakAndFullStop) {
    const std::string text = SystemErrorText(ERROR_SERVICE_EXISTS);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(TrimSystemText(RawSystemText(ERROR_SERVICE_EXISTS)), text);
    EXPECT_NE('.', text.back());
    EXPECT_EQ(std::string::npos, text.find_first_of("\r\n"));
    EXPECT_EQ("", SystemErrorText(CodeWithoutText()));
}

TEST(InstallerSystemErrorText, TrimmingStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ("Access denied", TrimSystemText("Access denied. . \r\n\t"));
    EXPECT_EQ("v1.0 is old", TrimSystemText("v1.0 is old.\r\n"));
    EXPECT_EQ("", TrimSystemText(" .\r\n"));
    EXPECT_EQ("a\x01" "b", TrimSystemText("a\x01" "b\x01"));
}

TEST(InstallerSystemTextLimits, ALongTextIsCutNotLost) {
    // The limits are what the system's text may fill: 127 and 255 characters.
    EXPECT_EQ(127u, installation::kReportTextLimit);
    EXPECT_EQ(255u, installation::kMessageTextLimit);
    const std::string text = RawSystemText(ERROR_ACCESS_DENIED);
    EXPECT_EQ(text.substr(0, 5), kit::MessageText(ERROR_ACCESS_DENIED, kit::kAnyLanguage, 5).value_or(""));
    EXPECT_EQ(text, kit::MessageText(ERROR_ACCESS_DENIED, kit::kAnyLanguage, 255).value_or(""));
}

}  // namespace
