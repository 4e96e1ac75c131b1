// The card list's lines and the status line: slot names, state texts and
// the status template's fill. No Windows header, so the rules also build and
// are fuzzed on the host (tests/native).
#pragma once

#include <cstdint>
#include <string>

namespace cfg {

// The detection state of a card that is present and not yet configured
// (the library's MIRVO_DETECT_NEW_CARD; StoreNames.cpp checks they agree).
constexpr std::uint32_t kNewCardState = 4;

// "KVT1" for slot 0 ... "KVT32" for slot 31.
std::string CardName(int slot);

// "OK", "Resource conflict", "Card not found", "New card"
// (kNewCardState), else "Unknown".
std::string CardStateText(std::uint32_t code);

// What the registry holds for one slot.
struct CardRecord {
    bool configured = false;    // the slot's subkey exists
    std::uint32_t address = 0;  // "Address", 0 when missing
    std::uint32_t state = 0;    // "ConfigState", 0 when missing or not read
};

// "KVT1\t at 0x000003A0 (OK)" for a used slot, "KVT2\t [not used]" for a free one.
std::string FormatCardLineText(int slot, const CardRecord &card);

// The status template with its "%s" replaced by "not" (not loaded) or by
// nothing (loaded); "%%" gives "%", any other '%' stays as it is, so a
// template can never make the formatting read what is not there.
std::string FormatConfigStatus(const std::string &statusTemplate, bool loaded);

}  // namespace cfg
