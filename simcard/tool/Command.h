// kvtsim's command line, parsed into what to change. Pure: no registry here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "../script/Fault.h"

namespace kvtsim {

enum class Action {
    Weights,      // card, weights
    Signal,       // card
    Fault,        // card, fault, code
    NoFault,      // card, fault
    Text,         // code, text
    NoText,       // code
    Trace,        // text = path
    TraceOff,
    Address,      // card, number = address
    DetectFault,  // number = address, code
    NoDetectFault,
    RefuseStop,   // on
    FailStart,    // on
    Clear,
    Help,
};

struct Command {
    Action action = Action::Help;
    std::string card;
    float weights[4] = {};
    Fault fault = Fault::Open;
    DWORD code = 0;
    DWORD number = 0;
    bool on = false;
    std::string text;
};

// Parses the arguments after the program name. On failure returns false and
// says why in `error`.
bool ParseCommand(const std::vector<std::string> &args, Command *command, std::string *error);

// A 32-bit number: decimal, or hexadecimal after 0x; nothing else around it.
bool ParseNumber(const std::string &text, DWORD *value);

// A float as C reads it ("1.5", "-0.25", "1e3", "inf", "nan"), whole.
bool ParseWeight(const std::string &text, float *value);

// The usage text.
const char *Usage();

}  // namespace kvtsim
