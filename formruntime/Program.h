// The form runtime's program entry: WinMain (Entry.cpp) asks the program for
// its Application, creates the start-up form hidden, runs its load event,
// shows it, and runs the message loop until the last form is closed. The
// exit codes: ExitCodes.h.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ExitCodes.h"
#include "Form.h"

namespace formrt {

struct Application {
    std::string title;  // caption of the runtime's boxes and of boxes that leave it out
    std::function<std::unique_ptr<Form>()> createStartUpForm;
};

// Defined by the program: its title and start-up form.
Application StartUpApplication();

// Everything WinMain does; returns the exit code.
int Run(const Application &application, int showCommand);

}  // namespace formrt
