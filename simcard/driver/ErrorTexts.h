// Scripted error texts: HKLM\SOFTWARE\KvtSim\ErrorTexts, one value per code,
// named by the code in eight upper-case hexadecimal digits, holding the
// text's exact bytes (0 to 256, no terminating zero needed).
#pragma once

#include <ntddk.h>

#include "../include/KvtSimIoctl.h"

namespace mirvosys {

// Fills `reply` (zeroed by the caller) with the text of `code`, if any; a
// value of another type or over 256 bytes is no text.
void LookUpErrorText(ULONG code, KVTSIM_ERROR_TEXT_REPLY *reply);

}  // namespace mirvosys
