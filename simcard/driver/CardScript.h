// What a simulated card is scripted to answer, read from
// HKLM\SOFTWARE\KvtSim\Cards\<card> each time the card is opened, so a
// change takes effect for the next program without restarting the driver.
#pragma once

#include <ntddk.h>

namespace mirvosys {

struct ScriptedFault {
    bool fails;
    ULONG lastError;
};

struct CardScript {
    bool openFails;
    ScriptedFault init;
    ScriptedFault finish;
    ScriptedFault read;
    bool fixedWeights;       // else the slowly changing signal
    ULONG weightBits[4];     // IEEE single bit patterns, channel 1 first
};

// The script of card `name`; a card without a key of its own gets the
// defaults: no faults, the signal.
void LoadCardScript(const wchar_t *name, CardScript *script);

}  // namespace mirvosys
