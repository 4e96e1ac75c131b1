// Card slots and how they are named in the registry and in the library
// (the names and state texts themselves are in CardText.h).
#pragma once

#include <windows.h>

#include <string>

#include "CardText.h"
#include "MirvoPriv.h"

namespace cfg {

// The slots, the service and the card states are the card library's
// (MirvoPriv.h): MIRVO_MAX_CARDS slots and as many candidate addresses,
// MIRVO_SERVICE_KEY, MIRVO_DETECT_NEW_CARD.

// Registry values of the service key and of a card subkey.
constexpr const char *ConfigStateValue = "ConfigState";
constexpr const char *AddressValue = "Address";

// The slot's subkey below HKEY_LOCAL_MACHINE: the service key, a backslash
// and the slot number itself ("...\\Mirvo\\0").
std::string CardKeyPath(int slot);

}  // namespace cfg
