// Card slots and how they are named in the registry and in the library.
#pragma once

#include <windows.h>

#include <string>

namespace cfg {

// There are always exactly this many card slots, and as many candidate
// addresses for the search.
constexpr int MaxCards = 32;

// The driver's service key under HKEY_LOCAL_MACHINE.
constexpr const char *ServiceKeyPath = "System\\CurrentControlSet\\Services\\Mirvo";
constexpr const char *DriverServiceName = "Mirvo";

// Registry values of the service key and of a card subkey.
constexpr const char *ConfigStateValue = "ConfigState";
constexpr const char *AddressValue = "Address";

// Card state code of a card that is present and not yet configured; also the
// detection state that the library reports for it.
constexpr DWORD NewCardState = 4;

// "KVT1" for slot 0 ... "KVT32" for slot 31.
std::string CardName(int slot);

// The slot's subkey below HKEY_LOCAL_MACHINE: the service key, a backslash
// and the slot number itself ("...\\Mirvo\\0").
std::string CardKeyPath(int slot);

// "OK", "Resource conflict", "Card not found", "New card", else "Unknown".
std::string CardStateText(DWORD code);

// What the registry holds for one slot.
struct CardRecord {
    bool configured = false;  // the slot's subkey exists
    DWORD address = 0;        // "Address", 0 when missing
    DWORD state = 0;          // "ConfigState", 0 when missing or not read
};

}  // namespace cfg
