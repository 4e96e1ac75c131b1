// Writes the simulated card's script into the registry (HKLM\SOFTWARE\KvtSim),
// for the kvtsim tool and the tests. Each call returns a Win32 error code,
// ERROR_SUCCESS when the registry was changed. The layout is in the README.
#pragma once

#include <windows.h>

#include <string>

#include "Fault.h"

namespace kvtsim {

// The registry value that scripts a fault ("OpenFails", "InitError", ...).
const char *FaultValueName(Fault fault);

LONG SetWeights(const std::string &card, const float (&weights)[4]);
LONG UseSignal(const std::string &card);  // drops fixed weights

// For Fault::Open the code is not kept: opening fails.
LONG SetFault(const std::string &card, Fault fault, DWORD lastError);
LONG ClearFault(const std::string &card, Fault fault);

LONG SetCardAddress(const std::string &card, DWORD address);

// Exactly these bytes (at most 256), no terminating zero added.
LONG SetErrorText(DWORD code, const std::string &bytes);
LONG RemoveErrorText(DWORD code);

LONG SetTraceFile(const std::string &path);
LONG RemoveTraceFile();

// MirvoDetect fails with `lastError` when it probes `address`.
LONG SetDetectFault(DWORD address, DWORD lastError);
LONG ClearDetectFault();

// A DWORD switch of the KvtSim key ("RefuseStop", "FailStart", ...): set to 1,
// or removed.
LONG SetSwitch(const char *name, bool on);
LONG SetRootDword(const char *name, DWORD value);

// Removes the whole script: the default card comes back.
LONG ClearAll();

// Leaves an empty card list: no simulated card at all, not even the default.
LONG RemoveAllCards();

}  // namespace kvtsim
