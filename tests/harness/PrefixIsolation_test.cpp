// Every test case runs in a fresh copy of the prepared Wine prefix: what one
// case leaves in the registry or the system folder, no other case sees,
// whatever order CTest picks.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Registry.h"
#include "UniqueHandle.h"

namespace {

const char kMarkerKey[] = "SOFTWARE\\KitHarness";
// A key deep in a branch that Windows keeps, which a case may change in place.
const char kSystemKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kMarkerValue[] = "KitHarness";

bool MarkerKeyExists() { return testreg::KeyExists(kMarkerKey); }

std::string MarkerFile() {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, sizeof dir);
    return std::string(dir) + "\\kit-harness.marker";
}

void LeaveMarks() {
    ASSERT_EQ(ERROR_SUCCESS, testreg::CreateKey(kMarkerKey));
    ASSERT_EQ(ERROR_SUCCESS, testreg::WriteDword(kSystemKey, kMarkerValue, 1));
    const kit::FileHandle file(CreateFileA(MarkerFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(file) << "error " << GetLastError();
}

void ExpectCleanPrefix() {
    EXPECT_FALSE(MarkerKeyExists()) << "a registry key left by another test case is visible";
    EXPECT_FALSE(testreg::ReadValue(kSystemKey, kMarkerValue))
        << "a registry value left by another test case is visible";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(MarkerFile().c_str()))
        << "a file left in the system folder by another test case is visible";
}

TEST(PrefixIsolation, FirstCaseSeesNothingOfTheSecond) {
    ExpectCleanPrefix();
    LeaveMarks();
}

TEST(PrefixIsolation, SecondCaseSeesNothingOfTheFirst) {
    ExpectCleanPrefix();
    LeaveMarks();
}

// A change that no one can put back without a copy of the file: run in one
// process with restoring, it fails, and so does every case after it.
TEST(PrefixIsolation, ThirdCaseChangesAFileInPlace) {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    const std::string path = std::string(dir) + "\\win.ini";
    const kit::FileHandle file(
        CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file) << path << ": error " << GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), ";\r\n", 3, &written, nullptr));
}

TEST(PrefixIsolation, FourthCaseChangesNothing) { ExpectCleanPrefix(); }

}  // namespace
