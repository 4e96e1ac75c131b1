// Test-side control of the simulated KVT card: installs its driver in the
// test's own Wine prefix and scripts what the cards answer, through the
// same registry values that people use for demos.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace simcard {

// Library entries whose failure can be scripted.
enum class Entry { Open, Init, Finish, ReadWeights };

// Copies the kit's Mirvo.sys into the system's drivers folder, registers the
// kernel service "Mirvo" (demand start) and starts it. After this, and in
// every later design of the simulation, a reader can open "KVT1".
// Returns "" on success, otherwise what failed.
std::string InstallAndStartDriver();

// Stops the service (returns "" when it is stopped) and starts it again.
std::string StopDriver();
std::string StartDriver();

// Fixed weights for a simulated card ("KVT1"); without them it gives a slowly
// changing signal.
void SetWeights(const std::string &card, float ch1, float ch2, float ch3, float ch4);

// Makes the entry fail for the card; MirvoGetLastError then reads `lastError`.
// For Entry::Open the code is ignored: MirvoOpen returns -1.
void SetFault(const std::string &card, Entry entry, DWORD lastError);

// The text MirvoGetErrorMsg gives for `code`: exactly these bytes, up to 256,
// with no terminating zero added.
void SetErrorText(DWORD code, const std::string &bytes);

// Switches the call trace on into `path` (a Windows path) / off.
void EnableTrace(const std::string &path);
void DisableTrace();

// The trace lines written so far, one entry call a line (see simcard's README
// for the format), e.g. "MirvoInit(0x00000044) = 1".
std::vector<std::string> ReadTrace(const std::string &path);

// Only the entry names of the trace, in order: {"MirvoOpen", "MirvoInit", ...}.
std::vector<std::string> TracedEntries(const std::string &path);

}  // namespace simcard
