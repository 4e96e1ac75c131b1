// Card slots and how they are named in the registry and in the library.
#pragma once

#include <windows.h>

#include <string>

#include "MirvoPriv.h"

namespace cfg {

// The slots, the service and the card states are the card library's
// (MirvoPriv.h): MIRVO_MAX_CARDS slots and as many candidate addresses,
// MIRVO_SERVICE_KEY, MIRVO_DETECT_NEW_CARD.

// Registry values of the service key and of a card subkey.
constexpr const char *ConfigStateValue = "ConfigState";
constexpr const char *AddressValue = "Address";

// "KVT1" for slot 0 ... "KVT32" for slot 31.
std::string CardName(int slot);

// The slot's subkey below HKEY_LOCAL_MACHINE: the service key, a backslash
// and the slot number itself ("...\\Mirvo\\0").
std::string CardKeyPath(int slot);

// "OK", "Resource conflict", "Card not found", "New card"
// (MIRVO_DETECT_NEW_CARD), else "Unknown".
std::string CardStateText(DWORD code);

// What the registry holds for one slot.
struct CardRecord {
    bool configured = false;  // the slot's subkey exists
    DWORD address = 0;        // "Address", 0 when missing
    DWORD state = 0;          // "ConfigState", 0 when missing or not read
};

}  // namespace cfg
