// "Find new cards": asks the card library which candidate addresses hold a
// card that is not yet configured and, on the user's consent, gives each one
// a free slot.
#pragma once

#include "ConfigView.h"

namespace cfg {

void FindNewCards(ConfigView &view);

}  // namespace cfg
