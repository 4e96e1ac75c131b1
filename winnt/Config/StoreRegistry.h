// The card configuration in the registry: one subkey per used slot below the
// driver's service key, and the service key's configuration state. Nothing
// is kept in memory; every call goes to the registry. What it shows, it shows
// through the window that the caller passes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "UniqueHandle.h"
#include "ConfigView.h"
#include "StoreNames.h"

namespace cfg {

// The slot's subkey with full access, or an empty key when the slot is free.
kit::RegKey OpenCardKey(int slot);
bool IsCardConfigured(int slot);

// Creates (or opens) the slot's subkey and sets its "Address" when `address`
// is nonzero. Shows the "Error" box and returns false when the key cannot be
// created.
bool CreateCardKey(ConfigView &view, int slot, DWORD address);

// Removes the slot's subkey; a free slot is no error. Returns false (after the
// "Error" box) only when the service key cannot be opened.
bool DeleteCardKey(ConfigView &view, int slot);

// Sets the card's state code to 0 when the slot is used.
void ClearCardState(int slot);

// Sets the configuration state to 0 (not loaded) and shows that on the status
// line; does nothing when the service key cannot be opened.
void MarkConfigChanged(ConfigView &view);

// True only when the service key's "ConfigState" reads 1.
bool IsConfigLoaded();

// The slot as the registry holds it; the state code is read only when
// `readState` is set (the driver runs), else it stays 0.
CardRecord ReadCard(int slot, bool readState);

// Code 0: true, nothing shown. Otherwise the "Error" box with the system's
// text for the code, and false.
bool ReportRegistryError(ConfigView &view, LONG code);

}  // namespace cfg
