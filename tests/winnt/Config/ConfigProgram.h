// Drives the real mirvocfg.exe in the test's own Wine prefix and looks at
// what it leaves in the registry and the Service Control Manager.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "UiAuto.h"

namespace cfgtest {

constexpr int kDeleteCard = 102, kEditCard = 103, kCardList = 104, kStatus = 105,
              kLoadConfig = 106, kFindCards = 107, kExit = IDCANCEL;
constexpr int kSetupAddress = 1001;  // the card library's setup dialog: its address field

extern const char *const kNotLoaded;  // "Configuration is not loaded"
extern const char *const kLoaded;     // "Configuration is  loaded"
extern const char *const kServiceKey; // HKLM "System\\CurrentControlSet\\Services\\Mirvo"

// ---------------------------------------------------------------- the service

// A kernel driver service "Mirvo" whose image does not exist: it is there,
// stopped, and cannot be started. "" or what failed.
std::string CreateUnstartableService();
// Makes the service key volatile (keeping its values), so that no stable
// card subkey can be created below it. The Service Control Manager keeps the
// service it has in memory. "" or what failed.
std::string MakeServiceKeyVolatile();
// Replaces the service key by a registry link to a missing key below a
// volatile one: the key then neither opens nor can be created (a stable key
// cannot go below a volatile one). "" or what failed.
std::string MakeServiceKeyUncreatable();
// The service's current state (SERVICE_RUNNING ...), or 0 when it cannot be read.
DWORD ServiceState();

// ---------------------------------------------------------------- the registry

std::string CardKeyPath(int slot);
// Creates the slot's subkey; values are written only when given.
void WriteCard(int slot, std::optional<DWORD> address = std::nullopt,
               std::optional<DWORD> state = std::nullopt);
bool CardExists(int slot);
std::optional<DWORD> ReadValue(const std::string &keyPath, const char *name);
void WriteValue(const std::string &keyPath, const char *name, DWORD value);
void DeleteValue(const std::string &keyPath, const char *name);
// The service key's "ConfigState", none when missing.
std::optional<DWORD> ConfigState();
void SetConfigState(DWORD value);

// ---------------------------------------------------------------- the program

class ConfigProgram {
public:
    // Starts mirvocfg.exe from the kit.
    ConfigProgram();

    uiauto::Process &process() { return process_; }
    DWORD id() const { return process_.Id(); }

    // Waits for the configuration window; nullptr when it did not come.
    HWND WaitForWindow(DWORD timeoutMs = kit_test::kProgramStartTimeoutMs);
    HWND window() const { return window_; }

    std::string Status() const;
    std::vector<std::string> Lines() const;
    int Selection() const;
    // Selects the slot's line as a click on it would (the program ignores
    // the list box's notifications).
    bool Select(int slot);
    bool Press(int id);
    // A box of the program, owned by the window or ownerless.
    uiauto::MessageBoxInfo WaitForBox(DWORD timeoutMs = uiauto::kDefaultTimeoutMs);
    // The card library's setup dialog for `cardName`, owned by the window;
    // nullptr (and a failure) when it did not come.
    HWND WaitForSetup(const std::string &cardName);
    // "Edit card" on the selected line, its setup answered with `button`
    // (after typing `address` into it, when given); true once the program is
    // idle again.
    bool EditCard(const std::string &cardName, int button, const char *address = nullptr);
    // Waits until the program shows no box and its window answers again.
    bool WaitIdle(DWORD timeoutMs = uiauto::kDefaultTimeoutMs);

    // Starts with the unstartable service: the window comes, its warning is
    // answered. False when either does not come.
    bool StartPastDriverWarning();

    // Exit, answering "Stern advice" with OK when it comes; the exit code.
    std::optional<DWORD> Exit();

private:
    uiauto::Process process_;
    HWND window_ = nullptr;
};

// The line the program shows for a used slot ("KVT1\t at 0x000003A0 (OK)").
std::string UsedLine(int slot, DWORD address, const char *state);
std::string FreeLine(int slot);

// The system's text for `code`, as the program fetches it, without its line break.
std::string SystemText(DWORD code);
// Whether the box's button `id` is its default button.
bool IsDefaultButton(HWND box, int id);

}  // namespace cfgtest
