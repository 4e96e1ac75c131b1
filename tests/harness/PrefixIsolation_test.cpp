// Run alone (each case in a fresh prefix made from the prepared one), what one
// case leaves in the registry or the system folders, or writes in place into
// a file of the prepared prefix, no other case sees. Run in one process
// (tests/harness/check-guard.sh), the machine guard puts back what it can
// and fails the case whose change it cannot put back.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
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

std::string WindowsFile(const char *name) {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return std::string(dir) + "\\" + name;
}

// A file of the prepared prefix deep in the system folder, which a prefix
// made of links to the prepared one would share with it.
std::string SystemFile() {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, sizeof dir);
    return std::string(dir) + "\\drivers\\etc\\hosts";
}

void AppendInPlace(const std::string &path) {
    const kit::FileHandle file(
        CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file) << path << ": error " << GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), ";kit-harness\r\n", 14, &written, nullptr));
}

bool HasAppendedMark(const std::string &path) {
    const kit::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char text[65536];
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), text, sizeof text - 1, &read, nullptr)) return false;
    text[read] = '\0';
    return std::strstr(text, ";kit-harness") != nullptr;
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
    EXPECT_FALSE(HasAppendedMark(WindowsFile("win.ini"))) << "another test case's write into win.ini is visible";
    EXPECT_FALSE(HasAppendedMark(SystemFile())) << "another test case's write into " << SystemFile() << " is visible";
}

TEST(PrefixIsolation, FirstCaseSeesNothingOfTheSecond) {
    ExpectCleanPrefix();
    LeaveMarks();
}

TEST(PrefixIsolation, SecondCaseSeesNothingOfTheFirst) {
    ExpectCleanPrefix();
    LeaveMarks();
}

// Changes that no one can put back without a copy of the files: alone, the
// next case's prefix has them as prepared; in one process, the guard fails
// this case and every case after it.
TEST(PrefixIsolation, ThirdCaseChangesFilesInPlace) {
    AppendInPlace(WindowsFile("win.ini"));
    AppendInPlace(SystemFile());
}

TEST(PrefixIsolation, FourthCaseChangesNothing) { ExpectCleanPrefix(); }

}  // namespace
