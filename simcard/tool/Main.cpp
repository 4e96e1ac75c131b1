// kvtsim.exe: scripts the simulated KVT card for demos.
#include <stdio.h>

#include "../include/KvtSimIoctl.h"
#include "Command.h"
#include "MessageText.h"
#include "SimScript.h"

namespace {

LONG Apply(const kvtsim::Command &c) {
    using kvtsim::Action;
    switch (c.action) {
    case Action::Weights: return kvtsim::SetWeights(c.card, c.weights);
    case Action::Signal: return kvtsim::UseSignal(c.card);
    case Action::Fault: return kvtsim::SetFault(c.card, c.fault, c.code);
    case Action::NoFault: return kvtsim::ClearFault(c.card, c.fault);
    case Action::Text: return kvtsim::SetErrorText(c.code, c.text);
    case Action::NoText: return kvtsim::RemoveErrorText(c.code);
    case Action::Trace: return kvtsim::SetTraceFile(c.text);
    case Action::TraceOff: return kvtsim::RemoveTraceFile();
    case Action::Address: return kvtsim::SetCardAddress(c.card, c.number);
    case Action::DetectFault: return kvtsim::SetDetectFault(c.number, c.code);
    case Action::NoDetectFault: return kvtsim::ClearDetectFault();
    case Action::RefuseStop: return kvtsim::SetSwitch(KVTSIM_VAL_REFUSE_STOP, c.on);
    case Action::FailStart: return kvtsim::SetSwitch(KVTSIM_VAL_FAIL_START, c.on);
    case Action::Clear: return kvtsim::ClearAll();
    case Action::Help: break;
    }
    return ERROR_SUCCESS;
}

}  // namespace

int main(int argc, char **argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    kvtsim::Command command;
    std::string error;
    if (!kvtsim::ParseCommand(args, &command, &error)) {
        fprintf(stderr, "kvtsim: %s\n\n%s", error.c_str(), kvtsim::Usage());
        return 2;
    }
    if (command.action == kvtsim::Action::Help) {
        fputs(kvtsim::Usage(), stdout);
        return 0;
    }
    if (const LONG result = Apply(command)) {
        const std::string text = kit::MessageText(DWORD(result), kit::kAnyLanguage).value_or("");
        fprintf(stderr, "kvtsim: the registry refused the change (error %ld): %s\n", long(result),
                text.c_str());
        return 1;
    }
    return 0;
}
