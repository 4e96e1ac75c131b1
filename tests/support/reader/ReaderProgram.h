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

// The ways a person can end a reader.
enum class Ending { ExitButton, EscapeKey, SystemMenuClose, EnterKey, AltX };
const char *NameOf(Ending ending);

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
};

}  // namespace reader_test
