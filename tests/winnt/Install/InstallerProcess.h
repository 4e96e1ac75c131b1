// Runs the real INSTALL.EXE from a scratch folder, as a user or a calling
// installation program would, and collects what it wrote.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace installtest {

// A fresh folder holding a copy of the kit's INSTALL.EXE; removed with the
// object.
class ScratchKit {
public:
    ScratchKit();
    ~ScratchKit();
    ScratchKit(const ScratchKit &) = delete;
    ScratchKit &operator=(const ScratchKit &) = delete;

    const std::string &Folder() const { return folder_; }  // ends with a backslash
    // Puts the kit's own Mirvo.dll and Mirvo.sys beside the installer.
    void AddKitFiles();
    // Puts a driver that starts (the test's stand-in) and a library file
    // beside the installer.
    void AddStandInFiles();
    void AddFile(const std::string &name, const std::string &from);

private:
    std::string folder_;
};

struct Outcome {
    bool finished = false;  // false: it was still running at the deadline
    DWORD exitCode = 0xdeadbeef;
    std::string output;  // standard output, as written
    std::string errors;  // standard error, as written
    std::vector<std::string> Lines() const;  // output split at CR LF
};

// Ended by itself, with 0, and nothing on standard error.
void ExpectCleanEnd(const Outcome &outcome);

// Standard input is not a console: the program must not wait for keys.
Outcome RunInstaller(const ScratchKit &kit, const std::string &arguments, DWORD deadlineMs = 60000);

// One key press (down and up) or a bare record.
INPUT_RECORD KeyEvent(WORD virtualKey, char character, bool down);
std::vector<INPUT_RECORD> KeyPress(WORD virtualKey, char character);

// Runs the program on a console of its own with standard output redirected,
// and writes `keys` into the console's input once it is waiting. Gives it
// `deadlineMs` after the keys to end.
Outcome RunInstallerWithKeys(const ScratchKit &kit, const std::string &arguments,
                             const std::vector<INPUT_RECORD> &keys, DWORD deadlineMs = 5000);

// Tells Wine to report another Windows version to INSTALL.EXE.
void PretendWindowsVersion(const std::string &version);

}  // namespace installtest
