// The edits of the event log's source list, on byte buffers.
#include <gtest/gtest.h>

#include "MultiString.h"

#include <cstdint>
#include <string>
#include <vector>

using installation::AppendToMultiString;
using installation::FindInMultiString;
using installation::kNotFound;
using installation::RemoveFromMultiString;

namespace {

std::vector<std::uint8_t> Bytes(const std::string &text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

std::string Shown(const std::vector<std::uint8_t> &bytes) {
    std::string text;
    for (std::uint8_t b : bytes) text += b == 0 ? std::string("\\0") : std::string(1, static_cast<char>(b));
    return text;
}

// The list's bytes in a buffer of exactly its size, with junk right after it
// so a walk past the end would show.
struct Guarded {
    explicit Guarded(const std::string &text) : bytes(Bytes(text)) {
        bytes.insert(bytes.end(), {0, 'M', 'i', 'r', 'v', 'o', 0, 0});
        size = static_cast<std::uint32_t>(text.size());
    }
    const std::uint8_t *data() const { return bytes.data(); }
    std::vector<std::uint8_t> bytes;
    std::uint32_t size;
};

std::vector<std::uint8_t> Append(const std::string &list) {
    const Guarded guarded(list);
    return AppendToMultiString(guarded.data(), guarded.size, "Mirvo");
}

std::string Removed(const std::string &list) {
    std::vector<std::uint8_t> bytes = Bytes(list);
    RemoveFromMultiString(bytes, "Mirvo");
    return Shown(bytes);
}

TEST(InstallerSourceListSearch, FindsOnlyTheWholeNameInItsOwnCase) {
    const std::string list("Eventlog\0Mirvo\0Other\0\0", 22);
    EXPECT_EQ(9u, FindInMultiString(reinterpret_cast<const std::uint8_t *>(list.data()), 22, "Mirvo"));
    const std::string others("mirvo\0MIRVO\0Mirvo2\0Mirv\0\0", 25);
    EXPECT_EQ(kNotFound, FindInMultiString(reinterpret_cast<const std::uint8_t *>(others.data()), 25, "Mirvo"));
}

TEST(InstallerSourceListSearch, StopsAtTheListsEndAndItsSize) {
    EXPECT_EQ(kNotFound, FindInMultiString(Guarded(std::string("\0", 1)).data(), 1, "Mirvo"))
        << "the closing zero ends the list";
    EXPECT_EQ(kNotFound, FindInMultiString(Guarded(std::string("A\0\0Mirvo\0\0", 11)).data(), 11, "Mirvo"))
        << "names after the closing zero are not in the list";
    const Guarded unterminated("Eventlog");
    EXPECT_EQ(kNotFound, FindInMultiString(unterminated.data(), unterminated.size, "Mirvo"))
        << "the walk ran past the value's size";
    const Guarded noClosingZero(std::string("Eventlog\0", 9));
    EXPECT_EQ(kNotFound, FindInMultiString(noClosingZero.data(), noClosingZero.size, "Mirvo"));
    const Guarded cutName(std::string("Eventlog\0Mirv", 13));
    EXPECT_EQ(kNotFound, FindInMultiString(cutName.data(), cutName.size, "Mirvo"));
}

TEST(InstallerSourceListAppend, WellFormedListsGainTheNameOverTheirClosingZero) {
    EXPECT_EQ(Shown(Bytes(std::string("Mirvo\0\0", 7))), Shown(Append(std::string("\0", 1))))
        << "a list of only its closing zero becomes 7 bytes";
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0Mirvo\0\0", 16))), Shown(Append(std::string("Eventlog\0\0", 10))));
    EXPECT_EQ(Shown(Bytes(std::string("mirvo\0Mirvo2\0Mirvo\0\0", 20))), Shown(Append(std::string("mirvo\0Mirvo2\0\0", 14))))
        << "other letter case and longer names are other sources";
}

TEST(InstallerSourceListAppend, AListWithoutItsClosingZeroKeepsItsLastName) {
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0Mirvo\0\0", 16))), Shown(Append(std::string("Eventlog\0", 9))));
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0Mirvo\0\0", 16))), Shown(Append("Eventlog")))
        << "a last name without its terminator gets one";
}

TEST(InstallerSourceListAppend, BytesAfterTheListsEndStayAndTheResultIsClosed) {
    EXPECT_EQ(Shown(Bytes(std::string("A\0Mirvo\0\0B\0\0", 13))), Shown(Append(std::string("A\0\0B\0\0", 7))));
    EXPECT_EQ(Shown(Bytes(std::string("Mirvo\0\0\0", 8))), Shown(Append(std::string("\0\0", 2))))
        << "the name must be the list's first, not hidden behind an empty one";
}

TEST(InstallerSourceListRemove, TakesOutTheFirstEntryOnly) {
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0Other\0Mirvo\0\0", 23))),
              Removed(std::string("Eventlog\0Mirvo\0Other\0Mirvo\0\0", 29)));
}

TEST(InstallerSourceListRemove, ALastEntryLeavesThePreviousTerminatorAndTheClosingZero) {
    const std::string before("Eventlog\0Mirvo\0\0", 16);
    const std::string after = Removed(before);
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0\0", 10))), after);
    EXPECT_EQ(Shown(Bytes(std::string("\0", 1))), Removed(std::string("Mirvo\0\0", 7)));
}

TEST(InstallerSourceListRemove, LeavesOtherListsUntouched) {
    std::vector<std::uint8_t> list = Bytes(std::string("mirvo\0Mirvo2\0\0", 14));
    EXPECT_FALSE(RemoveFromMultiString(list, "Mirvo"));
    EXPECT_EQ(Shown(Bytes(std::string("mirvo\0Mirvo2\0\0", 14))), Shown(list));
}

TEST(InstallerSourceListRemove, StaysInsideAListWhoseLastNameHasNoTerminator) {
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0Mirv", 13))), Removed(std::string("Eventlog\0Mirv", 13)))
        << "not found: untouched";
}

TEST(InstallerSourceListRemove, ClosesAListWhoseNamesRunToItsEnd) {
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0\0", 10))), Removed(std::string("Eventlog\0Mirvo", 14)));
    EXPECT_EQ(Shown(Bytes(std::string("Eventlog\0Other\0\0", 16))), Removed(std::string("Eventlog\0Mirvo\0Other", 20)));
    EXPECT_EQ(Shown(Bytes(std::string("\0", 1))), Removed(std::string("Mirvo\0", 6)));
    EXPECT_EQ(Shown(Bytes(std::string("Other\0\0X", 9))), Removed(std::string("Mirvo\0Other\0\0X", 15)))
        << "what follows the closing zero stays";
}

}  // namespace
