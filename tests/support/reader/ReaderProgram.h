// One row per reader sample: what the shared reader fixture and the common
// cases need to know to drive it. A new sample's tests are its row plus the
// cases of what really differs.
#pragma once

#include <string>
#include <vector>

namespace reader_test {

// A control of the sample's window: by id, or by its caption where the
// sample has no ids (the caption it has when the window appears).
struct ReaderControl {
    int id = 0;                     // 0: found by caption
    const char *caption = nullptr;  // nullptr with id 0: the sample has no such control
    explicit operator bool() const { return id != 0 || caption != nullptr; }
};

// What the Enter key does in the sample's window.
enum class EnterKey { EndsProgram, DoesNothing, ClicksFocusedButton };

// The ways a person can end a reader.
enum class Ending { ExitButton, EscapeKey, SystemMenuClose, EnterKey, AltX };
const char *NameOf(Ending ending);

// For example, a framework dialog found by its class and the start of its
// caption, and a form whose controls have no ids (both press the focused
// button on Enter: Exit has the focus at the dialog's start, so Enter ends it):
//   {"Mirvo_mfc", "Mirvo_mfc.exe", "#32770", "kvt Example - ",
//    {1002}, {1003}, {1004}, {1001}, {IDCANCEL}, "", "1.500 -0.250 0.000 12.000", "Initialised OK",
//    {Ending::ExitButton, Ending::EscapeKey, Ending::SystemMenuClose, Ending::EnterKey, Ending::AltX},
//    false, 0, EnterKey::ClicksFocusedButton}
//   {"Mirvo_vb", "Mirvo_vb.exe", "FormrtForm", "Mirvo Form",
//    {0, "Init"}, {0, "Finish"}, {0, "&Read"}, {103}, {}, "Closed", "1.50|-0.25|0.00|12.00", nullptr,
//    {Ending::SystemMenuClose}, false, 0, EnterKey::ClicksFocusedButton}
struct ReaderProgram {
    const char *name;           // "mirvo_bc": names the trace and screenshot files
    const char *file;           // in the kit: "mirvo_bc.exe"
    const char *windowClass;    // of the main window; nullptr: any
    const char *captionPrefix;  // the main window's caption starts with it; nullptr: any
    ReaderControl init, finish, read, status, exit;
    const char *statusAtStart;  // the status text before any read
    const char *readShows;      // the status after a read of 1.5, -0.25, 0 and 12
    const char *initOkBox;      // the box after a successful Init; nullptr: none
    std::vector<Ending> endings;  // the ways that end it
    bool closesCardAtExit;      // CloseHandle on the card handle before it ends
    unsigned long exitCode = 0;   // after each of `endings`
    EnterKey enter = EnterKey::EndsProgram;  // list Ending::EnterKey in `endings` when it ends it
};

}  // namespace reader_test
