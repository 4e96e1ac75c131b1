// The "Sources" list edits on any bytes: the list is copied into a heap
// buffer of exactly its size, so a read past it stops under AddressSanitizer.
// Input: one byte choosing the edit, one byte giving the name's length, the
// name (zeros in it become 'M': a source name has none), then the list.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "MultiString.h"

namespace {

using Names = std::vector<std::string>;

// The names up to the first empty one (or the end), each cut at the end of
// the data: the list as a reader of the registry value sees it.
Names NamesOf(const std::uint8_t *data, std::size_t size) {
    Names names;
    std::size_t at = 0;
    while (at < size && data[at] != 0) {
        std::size_t end = at;
        while (end < size && data[end] != 0) ++end;
        names.emplace_back(reinterpret_cast<const char *>(data + at), end - at);
        at = end + 1;
    }
    return names;
}

// Closed: every name has its terminator and a zero closes the names, all
// inside the data; what is written back after a removal always is.
bool Closed(const std::vector<std::uint8_t> &list) {
    std::size_t at = 0;
    while (at < list.size() && list[at] != 0) {
        while (at < list.size() && list[at] != 0) ++at;
        if (at == list.size()) return false;
        ++at;
    }
    return at < list.size();
}

// Well formed: closed, and the data ends with two zeros.
bool WellFormed(const std::vector<std::uint8_t> &list) {
    return list.size() >= 2 && list[list.size() - 1] == 0 && list[list.size() - 2] == 0 && Closed(list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return 0;
    const int edit = data[0] % 3;
    std::size_t nameLength = data[1] % 16 + 1;
    data += 2;
    size -= 2;
    if (nameLength > size) nameLength = size;
    std::string name(reinterpret_cast<const char *>(data), nameLength);
    for (char &c : name)
        if (c == 0) c = 'M';
    if (name.empty()) name = "Mirvo";
    data += nameLength;
    size -= nameLength;

    // Exactly the list's size on the heap: one byte past it is a fault.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[size ? size : 1]);
    if (size) std::memcpy(exact.get(), data, size);
    const Names before = NamesOf(exact.get(), size);
    const std::uint32_t size32 = static_cast<std::uint32_t>(size);

    if (edit == 0) {
        const auto offset = installation::FindInMultiString(exact.get(), size32, name);
        std::size_t expected = installation::kNotFound, at = 0;
        for (const std::string &each : before) {
            if (each == name) {
                expected = at;
                break;
            }
            at += each.size() + 1;
        }
        FUZZ_CHECK(offset == expected);
    } else if (edit == 1) {
        const std::vector<std::uint8_t> after = installation::AppendToMultiString(exact.get(), size32, name);
        FUZZ_CHECK(WellFormed(after));
        Names expected = before;
        expected.push_back(name);
        FUZZ_CHECK(NamesOf(after.data(), after.size()) == expected);
    } else {
        std::vector<std::uint8_t> list(exact.get(), exact.get() + size);
        const bool removed = installation::RemoveFromMultiString(list, name);
        Names expected = before;
        bool present = false;
        for (auto each = expected.begin(); each != expected.end(); ++each) {
            if (*each == name) {
                expected.erase(each);
                present = true;
                break;
            }
        }
        FUZZ_CHECK(removed == present);
        if (!removed) FUZZ_CHECK(list == std::vector<std::uint8_t>(exact.get(), exact.get() + size));
        FUZZ_CHECK(NamesOf(list.data(), list.size()) == expected);
        if (removed) FUZZ_CHECK(Closed(list));
        // A list that ended right after its closing zero still does.
        std::size_t closing = 0;
        for (const std::string &each : before) closing += each.size() + 1;
        if (removed && WellFormed(std::vector<std::uint8_t>(exact.get(), exact.get() + size)) && closing + 2 == size)
            FUZZ_CHECK(WellFormed(list));
    }
    return 0;
}
