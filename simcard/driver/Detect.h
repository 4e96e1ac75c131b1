// What sits at a card address, for MirvoDetect.
#pragma once

#include <ntddk.h>

#include "../include/KvtSimIoctl.h"

namespace mirvosys {

// The driver's service key ("\Registry\Machine\System\...\Services\Mirvo"),
// kept by DriverEntry.
extern wchar_t g_serviceKey[256];

// Answers a detection: the scripted fault at its address, or the state of
// the address (nothing there, a configured card, a new card). Reads the
// script and the slots now, so changes count without a restart.
void DetectAt(ULONG address, KVTSIM_DETECT_REPLY *reply);

}  // namespace mirvosys
