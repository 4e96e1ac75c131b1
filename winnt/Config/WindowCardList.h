// The card list (one line per slot, the line index is the slot) and the
// status line of the configuration window.
#pragma once

#include <optional>
#include <string>

namespace cfg {

// The slot's line as the registry holds it now.
std::string FormatCardLine(int slot);

// Rebuilds all lines and selects line 0.
void FillCardList();

// Rebuilds the slot's line in place and selects it.
void RefreshCardLine(int slot);

// The selected slot, or none.
std::optional<int> GetSelectedSlot();

// The status template filled in for `loaded`.
void ShowConfigStatus(bool loaded);

// Puts `text` on the status line and repaints it at once, for the long
// operations that block the message loop.
void ShowBusyStatus(const char *text);

}  // namespace cfg
