// The form runtime's program entry and its default handling of failures.
//
// The runtime owns WinMain (Entry.cpp): it asks the program for its
// Application, creates the start-up form hidden, runs its load event, shows
// it, and runs the message loop until the last form is closed.
//
// Exit codes:
//   0                    the last form was closed;
//   kExitBindingFailed   a declared library or entry could not be bound
//                        (BindingError, Library.h);
//   kExitRuntimeFailure  anything else that stopped the runtime: the form's
//                        window could not be created, memory ran out, an
//                        exception reached a form's window procedure (it is
//                        stopped there, before the system's frames), or the
//                        message loop could not get its next message.
// Each failure is reported in a message box with the application's title as
// caption and the stop icon: a failed event at once, one that reached a
// window procedure or the loop once the forms are closed.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "Form.h"

namespace formrt {

constexpr int kExitBindingFailed = 2;
constexpr int kExitRuntimeFailure = 3;

struct Application {
    std::string title;  // caption of the runtime's boxes and of boxes that leave it out
    std::function<std::unique_ptr<Form>()> createStartUpForm;
};

// Defined by the program: its title and start-up form.
Application StartUpApplication();

// Everything WinMain does; returns the exit code.
int Run(const Application &application, int showCommand);

const std::string &ApplicationTitle();

// The window that owns a message box now: the visible form, or none while
// no form is shown (during a load event).
HWND MessageOwner();

// Runs a form's event under the runtime's default handling: a failure is
// reported and the program ends with its exit code. False after a failure.
bool RunEvent(const std::function<void()> &event);

// For Form: its window is gone; the program ends after the last.
void FormWindowDestroyed();

// For Form's window procedure: an exception that got that far. The forms
// close and it is reported after the loop.
void StopOnFailure(std::exception_ptr failure);

}  // namespace formrt
