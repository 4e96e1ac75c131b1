#include "MultiString.h"

#include <algorithm>
#include <cstring>

namespace installation {

namespace {

// Length of the name at `offset`, stopping at the end of the data when the
// name has no terminator there.
std::string::size_type NameLength(const std::uint8_t *list, std::uint32_t size, std::string::size_type offset) {
    const std::uint8_t *begin = list + offset;
    const std::uint8_t *end = list + size;
    return static_cast<std::string::size_type>(std::find(begin, end, std::uint8_t(0)) - begin);
}

// Offset just after the last name of the list (after its terminator when it
// has one).
std::string::size_type EndOfNames(const std::uint8_t *list, std::uint32_t size) {
    std::string::size_type offset = 0;
    while (offset < size && list[offset] != 0) {
        offset += NameLength(list, size, offset);
        if (offset < size) ++offset;
    }
    return offset;
}

bool NameAt(const std::uint8_t *list, std::uint32_t size, std::string::size_type offset, const std::string &name) {
    return NameLength(list, size, offset) == name.size() && std::memcmp(list + offset, name.data(), name.size()) == 0;
}

}  // namespace

std::string::size_type FindInMultiString(const std::uint8_t *list, std::uint32_t size, const std::string &name) {
    std::string::size_type offset = 0;
    while (offset < size && list[offset] != 0) {
        if (NameAt(list, size, offset, name)) return offset;
        offset += NameLength(list, size, offset) + 1;
    }
    return kNotFound;
}

std::vector<std::uint8_t> AppendToMultiString(const std::uint8_t *list, std::uint32_t size, const std::string &name) {
    const std::string::size_type end = EndOfNames(list, size);
    std::vector<std::uint8_t> result(list, list + end);
    if (end > 0 && list[end - 1] != 0) result.push_back(0);  // the last name had no terminator
    result.insert(result.end(), name.begin(), name.end());
    result.push_back(0);
    // Whatever followed the names (normally just the closing zero) stays.
    result.insert(result.end(), list + end, list + size);
    while (result.size() < 2 || result[result.size() - 1] != 0 || result[result.size() - 2] != 0)
        result.push_back(0);
    return result;
}

bool RemoveFromMultiString(std::vector<std::uint8_t> &list, const std::string &name) {
    const std::uint32_t size = static_cast<std::uint32_t>(list.size());
    const std::string::size_type offset = FindInMultiString(list.data(), size, name);
    if (offset == kNotFound) return false;
    const std::string::size_type removed = std::min<std::string::size_type>(name.size() + 1, size - offset);
    list.erase(list.begin() + offset, list.begin() + offset + removed);
    // The list is written back: when its names ran to the end of the data
    // (no terminator, no closing zero), it gets them, as an added name does.
    const std::uint32_t left = static_cast<std::uint32_t>(list.size());
    const std::string::size_type end = EndOfNames(list.data(), left);
    if (end == left) {
        if (end > 0 && list[end - 1] != 0) list.push_back(0);
        list.push_back(0);
    }
    return true;
}

}  // namespace installation
