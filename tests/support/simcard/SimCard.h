// Test-side control of the simulated KVT card: installs its driver in the
// test's own Wine prefix and scripts what the cards answer, through the
// same registry values that people use for demos.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Registry.h"

namespace simcard {

// The platform handle behind a card handle (for CloseHandle).
inline HANDLE CardHandle(LONG card) { return reinterpret_cast<HANDLE>(LONG_PTR(card)); }

// Library entries whose failure can be scripted.
enum class Entry { Open, Init, Finish, ReadWeights };

// Copies the kit's Mirvo.sys into the system's drivers folder, registers the
// kernel service "Mirvo" (demand start) and starts it. After this, and in
// every later design of the simulation, a reader can open "KVT1": when card
// slot 0 does not exist yet, it is configured first with the default card's
// address (0x3A0), the way the configuration utility would.
// Returns "" on success, otherwise what failed.
std::string InstallAndStartDriver();

// Only the first part: Mirvo.sys copied, service "Mirvo" created, no slot
// configured, not started. The driver then exposes no card until a slot
// is configured (ConfigureSlot) and it is started.
// A 64-bit Mirvo.sys under a 32-bit test goes where 64-bit Windows keeps
// it: the native drivers folder, registered by the native service tool.
std::string InstallDriver();

// What a case puts in the last error and in buffers before a call, to see
// what the call set and wrote.
constexpr DWORD kJunk = 0xDEADBEEF;
constexpr unsigned char kJunkByte = 0xbd;

// Runs `folder`\INSTALL.EXE with `options` in that folder, as a person
// would from a command prompt there (bounded). Returns "" when it ended
// with 0, otherwise what failed. From a kit's simcard folder it installs
// that folder's simulated Mirvo.dll and Mirvo.sys and starts the driver.
std::string RunInstaller(const std::string &folder, const std::string &options);

// Card slot 0 at the default card's address, and the driver restarted so
// that it loads it: what mirvocfg's "Find new cards" and "Load config"
// leave behind. After it, "KVT1" opens.
std::string ConfigureFirstCardAndReload();

// The key of card slot `slot` (0..31) under the driver's service key.
std::string SlotPath(int slot);

// Card slot `slot` (0..31) under the service key with this "Address".
std::string ConfigureSlot(int slot, DWORD address);

// The system's drivers folder, e.g. "C:\windows\system32\drivers".
std::string DriversDir();

// Stops the service (returns "" when it is stopped) and starts it again.
std::string StopDriver();
std::string StartDriver();

// Fixed weights for a simulated card ("KVT1"); without them it gives a slowly
// changing signal.
void SetWeights(const std::string &card, float ch1, float ch2, float ch3, float ch4);

// Makes the entry fail for the card; GetLastError then reads `lastError`.
// For Entry::Open the code is ignored: MirvoOpen returns -1.
void SetFault(const std::string &card, Entry entry, DWORD lastError);

// The text MirvoGetErrorMsg gives for `code`: exactly these bytes, up to 256,
// with no terminating zero added.
void SetErrorText(DWORD code, const std::string &bytes);

// Where the card sits (MirvoDetect, slots); read at the driver's start.
void SetCardAddress(const std::string &card, DWORD address);

// MirvoDetect fails with `lastError` at `address`.
void SetDetectFault(DWORD address, DWORD lastError);

// From the driver's next start: it refuses the stop control / fails to start.
void SetRefuseStop(bool on);
void SetFailStart(bool on);

// Any value of the script, raw: under HKLM\<path> (a key of
// SOFTWARE\KvtSim) in the view the driver reads, of any type and size, for
// tests of hostile data. Returns "" or what failed.
std::string WriteScriptValue(const std::string &path, const char *name, DWORD type,
                             const std::vector<BYTE> &data);
std::optional<testreg::Value> ReadScriptValue(const std::string &path, const char *name);

// Removes the whole script (HKLM\SOFTWARE\KvtSim): the default card again.
void ClearScript();

// Switches the call trace on into `path` (a Windows path) / off.
void EnableTrace(const std::string &path);
void DisableTrace();

// The trace lines written so far, one entry call a line, without the line
// ends. Format (simcard/README.md):
//   <entry>(<arguments>) = <result>[ <detail>][ error=0x<8 hex digits>]
// handles, codes and addresses as 0x and 8 upper-case hex digits, other
// numbers decimal, strings quoted, pointers as "buffer" or "NULL"; e.g.
//   MirvoOpen("KVT1") = 0x00000044
//   MirvoInit(0x00000044) = 1
//   MirvoFinish(0x00000044) = 0 error=0x80000005
//   MirvoGetCurrentWeight4(0x00000044, buffer) = 1 weights=1.5 -0.25 0 12
//   MirvoGetErrorMsg(0x00000005, buffer, 256) = 0 error=0x0000013D
//   MirvoOpen("KVT1") = 0xFFFFFFFF error=0x0000048F
std::vector<std::string> ReadTrace(const std::string &path);

// Only the entry names of the trace, in order: {"MirvoOpen", "MirvoInit", ...}.
std::vector<std::string> TracedEntries(const std::string &path);

}  // namespace simcard
