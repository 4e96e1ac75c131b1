// The boxes that have no owner: the fatal box before the window exists, and
// the box that shows an error which ends the program.
#pragma once

#include <exception>
#include <string>

#include "SystemError.h"

namespace cfg {

// Thrown by FatalError once its box is shown: the program body ends quietly.
struct FatalExit {};

// "Fatal Error" box with no owner; then the program ends with exit code 0.
[[noreturn]] void FatalError(const std::string &text);

// The task-modal "Application Error" box with no owner.
void ShowUnexpectedError(const SystemError &error);
void ShowUnexpectedError(const std::exception &error);

}  // namespace cfg
