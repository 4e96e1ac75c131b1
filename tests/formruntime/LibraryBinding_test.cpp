// Declared library entries bound at their first call: loading, look-up,
// arguments, last error, and the run-time error when binding fails.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include <cstring>
#include <map>
#include <optional>

#include "ImportHook.h"
#include "LibraryEntry.h"

namespace formrt {
namespace {

constexpr char kLibraryFile[] = "formrt_testlib.dll";

// What the runtime asked the loader while the hooks were in place.
std::map<std::string, int> loads, lookups;
HMODULE(WINAPI *loadLibrary)(LPCSTR) = nullptr;
FARPROC(WINAPI *getProcAddress)(HMODULE, LPCSTR) = nullptr;
HMODULE WINAPI CountingLoadLibrary(LPCSTR name) {
    ++loads[name];
    return loadLibrary(name);
}
FARPROC WINAPI CountingGetProcAddress(HMODULE module, LPCSTR name) {
    ++lookups[name];
    return getProcAddress(module, name);
}

// An error that a call raised, or none.
template <typename Call>
std::optional<BindingError> RaisedBy(Call call) {
    try {
        call();
    } catch (const BindingError &error) {
        return error;
    }
    return std::nullopt;
}

TEST(LibraryBinding, LoadsTheLibraryOnceAtTheFirstCallAndLooksEachEntryUpOnce) {
    kit_test::ImportHook loadHook("LoadLibraryA", reinterpret_cast<void *>(CountingLoadLibrary));
    kit_test::ImportHook lookupHook("GetProcAddress", reinterpret_cast<void *>(CountingGetProcAddress));
    ASSERT_TRUE(loadHook.Installed() && lookupHook.Installed());
    loadLibrary = reinterpret_cast<decltype(loadLibrary)>(loadHook.Original());
    getProcAddress = reinterpret_cast<decltype(getProcAddress)>(lookupHook.Original());

    std::optional<Library> library(std::in_place, "formrt_testlib");
    LibraryEntry<LONG(LONG)> twice{*library, "Twice"};
    LibraryEntry<LONG(DWORD)> failWith{*library, "FailWith"};
    EXPECT_EQ(nullptr, GetModuleHandleA(kLibraryFile)) << "nothing is loaded before the first call";
    EXPECT_FALSE(library->Loaded());

    EXPECT_EQ(42, twice(21));
    EXPECT_TRUE(twice.Bound());
    EXPECT_FALSE(failWith.Bound()) << "an entry is looked up at its own first call";
    EXPECT_EQ(-8, twice(-4));
    EXPECT_EQ(0, failWith(5));
    EXPECT_EQ(0, failWith(6));
    EXPECT_TRUE(failWith.Bound());
    EXPECT_EQ((std::map<std::string, int>{{"formrt_testlib", 1}}), loads);
    EXPECT_EQ((std::map<std::string, int>{{"FailWith", 1}, {"Twice", 1}}), lookups);
    EXPECT_NE(nullptr, GetModuleHandleA(kLibraryFile));

    library.reset();
    EXPECT_EQ(nullptr, GetModuleHandleA(kLibraryFile)) << "loaded once, so freed once when the library goes";
}

TEST(LibraryBinding, RecordsTheLastErrorAfterEveryCall) {
    Library library{"formrt_testlib"};
    LibraryEntry<LONG(DWORD)> failWith{library, "FailWith"};
    LibraryEntry<LONG(LONG)> twice{library, "Twice"};
    RecordLastLibraryError(0xdeadbeef);
    EXPECT_EQ(0, failWith(0x80000005));
    EXPECT_EQ(0x80000005u, LastLibraryError());
    EXPECT_EQ(0, failWith(ERROR_GEN_FAILURE));
    EXPECT_EQ(DWORD{ERROR_GEN_FAILURE}, LastLibraryError());
    EXPECT_EQ(2, twice(1));
    EXPECT_EQ(0u, LastLibraryError()) << "a call that clears it is recorded too";
}

TEST(LibraryBinding, PassesAStringByValueAsATemporaryAnsiCopy) {
    Library library{"formrt_testlib"};
    LibraryEntry<LONG(AnsiString)> scribble{library, "Scribble"};
    LibraryEntry<const char *()> lastString{library, "LastString"};
    const std::string device = "KVT1";
    EXPECT_EQ(4, scribble(device));
    EXPECT_EQ("KVT1", device) << "the library wrote into its own copy";
    EXPECT_NE(device.c_str(), lastString());
    EXPECT_EQ(0, scribble(std::string())) << "an empty string arrives as an empty, terminated copy";
    const std::string withZero("ab\0cd", 5);
    EXPECT_EQ(2, scribble(withZero)) << "the copy is cut at an embedded zero, as the library reads it";
}

TEST(LibraryBinding, FreesEachStringCopyAfterItsCall) {
    Library library{"formrt_testlib"};
    LibraryEntry<LONG(AnsiString)> scribble{library, "Scribble"};
    const std::string big(8 << 20, 'k');
    auto usage = [] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return counters.PagefileUsage;
    };
    scribble(big);
    const SIZE_T before = usage();
    for (int i = 0; i < 20; ++i) ASSERT_EQ(LONG{8 << 20}, scribble(big));
    EXPECT_LT(usage(), before + (64u << 20)) << "20 calls with 8 MiB copies kept " << (usage() - before)
                                             << " bytes";
}

TEST(LibraryBinding, PassesAReferenceAsTheAddressOfTheWholeArray) {
    Library library{"formrt_testlib"};
    LibraryEntry<LONG(LONG, float &)> fillFour{library, "FillFour"};
    float weights[4] = {};
    EXPECT_EQ(1, fillFour(10, weights[0]));
    EXPECT_EQ(10.5f, weights[0]);
    EXPECT_EQ(11.5f, weights[1]);
    EXPECT_EQ(12.5f, weights[2]);
    EXPECT_EQ(13.5f, weights[3]);
}

TEST(LibraryBinding, AMissingLibraryRaisesTheErrorAtEveryCall) {
    Library library{"formrt_no_such_library"};
    LibraryEntry<LONG(LONG)> open{library, "MirvoOpen"};
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<BindingError> error = RaisedBy([&] { open(1); });
        ASSERT_TRUE(error) << "attempt " << attempt;
        EXPECT_EQ(BindingError::Cause::LibraryNotLoaded, error->cause());
        EXPECT_EQ(DWORD{ERROR_MOD_NOT_FOUND}, error->systemCode());
        const std::string text = error->what();
        EXPECT_EQ("The library \"formrt_no_such_library\" could not be loaded for its entry \"MirvoOpen\".\n",
                  text.substr(0, text.find('\n') + 1));
        EXPECT_GT(text.size(), text.find('\n') + 1) << "the system's text follows";
    }
    EXPECT_FALSE(open.Bound());
}

TEST(LibraryBinding, AMissingEntryRaisesTheErrorWhileTheOtherEntriesWork) {
    Library library{"formrt_testlib"};
    LibraryEntry<LONG(LONG)> twice{library, "Twice"};
    LibraryEntry<LONG(LONG)> missing{library, "MirvoFinish"};
    EXPECT_EQ(4, twice(2));
    const std::optional<BindingError> error = RaisedBy([&] { missing(1); });
    ASSERT_TRUE(error);
    EXPECT_EQ(BindingError::Cause::EntryNotFound, error->cause());
    EXPECT_EQ(DWORD{ERROR_PROC_NOT_FOUND}, error->systemCode());
    EXPECT_EQ(0u, std::string(error->what()).find("The library \"formrt_testlib\" has no entry \"MirvoFinish\".\n"))
        << error->what();
    EXPECT_EQ(6, twice(3));
    EXPECT_TRUE(RaisedBy([&] { missing(1); })) << "and again at the next call";
}

TEST(LibraryBinding, TheReportWithoutASystemTextIsOneLine) {
    EXPECT_EQ("The library \"Mirvo\" has no entry \"MirvoFinish\".",
              BindingFailureText(BindingError::Cause::EntryNotFound, "Mirvo", "MirvoFinish", ""));
}

}  // namespace
}  // namespace formrt
