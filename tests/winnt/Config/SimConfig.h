// The simulated card's configuration side, scripted for a test: which cards
// sit at which addresses, and the faults of detection and of the driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace cfgtest {

// The library's 32 candidate addresses, in probe order (asked of the kit's Mirvo.dll).
std::vector<DWORD> CandidateAddresses();

// Removes every simulated card: the search then finds nothing.
void RemoveSimulatedCards();
// A simulated card named `name` at `address`.
void AddSimulatedCard(const std::string &name, DWORD address);
// MirvoDetect fails with `code` at `address`.
void FailDetectAt(DWORD address, DWORD code);
// The driver refuses the stop control / fails to start (from its next start).
void RefuseStop();
void FailStart();

}  // namespace cfgtest
