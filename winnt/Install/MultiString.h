// Edits of a registry multi-string (zero-terminated names closed by one more
// zero) held in a byte buffer of the value's size. Every walk stays inside
// that size, also when the data lacks its closing zero or its last name
// lacks a terminator. No Windows header: the rules build and are fuzzed on
// the host too (tests/native).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace installation {

constexpr std::string::size_type kNotFound = static_cast<std::string::size_type>(-1);

// Byte offset of the first name that equals `name` exactly (case counts,
// whole name); kNotFound when there is none. The walk ends at the first
// empty name, as the list does.
std::string::size_type FindInMultiString(const std::uint8_t *list, std::uint32_t size, const std::string &name);

// The list with `name` added as its last name. A well-formed list gets `name`
// over its closing zero and two zeros after it; a list that lacks its closing
// zero, or whose last name lacks a terminator, keeps every name whole. The
// result always ends with two zeros.
std::vector<std::uint8_t> AppendToMultiString(const std::uint8_t *list, std::uint32_t size, const std::string &name);

// Takes the first name equal to `name` out of `list` (with its terminator)
// and shrinks the list to match; false, and `list` untouched, when there is
// no such name. A list whose names then run to the end of the data is
// closed with the zeros it lacks.
bool RemoveFromMultiString(std::vector<std::uint8_t> &list, const std::string &name);

}  // namespace installation
