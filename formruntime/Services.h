// What the runtime does for the forms while they run, and what the forms
// tell it: the application's title, the owner of a message box, the default
// handling of a failed event, and which form windows are open.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace formrt {

void SetApplicationTitle(const std::string &title);
const std::string &ApplicationTitle();

// The window that owns a message box now: the visible form, or none while
// no form is shown (during a load event).
HWND MessageOwner();

// Runs a form's event under the runtime's default handling: a failure is
// reported at once and the program ends with its exit code. False after a
// failure.
bool RunEvent(const std::function<void()> &event);

// For Form: its window exists; its window is gone (the program ends after
// the last).
void FormWindowCreated(HWND window);
void FormWindowDestroyed(HWND window);

// For Form's window procedure: an exception that got that far. The forms
// close and ReportKeptFailure tells it after the loop.
void StopOnFailure(std::exception_ptr failure);

// For the loop: a keyboard message that a form's dialog keys took.
bool IsDialogMessageOfAForm(MSG &message);

// For the end of the run: the message loop failed with `code` (reported
// while the form still stands); the failure kept by StopOnFailure, if any;
// the exit code so far.
void LoopFailed(DWORD code);
void ReportKeptFailure();
int ExitCode();

}  // namespace formrt
