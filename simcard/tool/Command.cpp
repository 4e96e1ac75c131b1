#include "Command.h"

#include <errno.h>
#include <stdlib.h>

#include "../include/KvtCardRules.h"

namespace kvtsim {

namespace {

bool ParseFault(const std::string &text, Fault *entry) {
    if (text == "open") *entry = Fault::Open;
    else if (text == "init") *entry = Fault::Init;
    else if (text == "finish") *entry = Fault::Finish;
    else if (text == "read") *entry = Fault::Read;
    else return false;
    return true;
}

bool ParseOnOff(const std::string &text, bool *on) {
    if (text == "on") *on = true;
    else if (text == "off") *on = false;
    else return false;
    return true;
}

bool Fail(std::string *error, const std::string &why) {
    *error = why;
    return false;
}

}  // namespace

bool ParseNumber(const std::string &text, DWORD *value) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char *start = text.c_str() + (hex ? 2 : 0);
    if (*start == '-' || *start == '+' || *start == ' ') return false;
    char *end = nullptr;
    errno = 0;
    const unsigned long long number = strtoull(start, &end, hex ? 16 : 10);
    if (errno || end == start || *end || number > 0xFFFFFFFFull) return false;
    *value = DWORD(number);
    return true;
}

bool ParseWeight(const std::string &text, float *value) {
    if (text.empty() || text[0] == ' ') return false;
    char *end = nullptr;
    const float number = strtof(text.c_str(), &end);
    if (end == text.c_str() || *end) return false;
    *value = number;
    return true;
}

namespace {

// A card name, with no zero byte inside to cut it short.
bool IsCardName(const std::string &text) { return kvtcard::IsCardName(text.data(), text.size()); }

}  // namespace

bool ParseCommand(const std::vector<std::string> &args, Command *command, std::string *error) {
    *command = Command();
    if (args.empty() || args[0] == "help" || args[0] == "-h" || args[0] == "/?") {
        command->action = Action::Help;
        return true;
    }
    const std::string &verb = args[0];
    const size_t count = args.size() - 1;
    auto wants = [&](size_t n) { return count == n; };
    auto card = [&](size_t at) {
        if (!IsCardName(args[at])) return Fail(error, "not a card name: " + args[at]);
        command->card = args[at];
        return true;
    };

    if (verb == "weights") {
        if (!wants(5)) return Fail(error, "weights wants a card and four weights");
        if (!card(1)) return false;
        for (int i = 0; i < 4; ++i)
            if (!ParseWeight(args[2 + i], &command->weights[i]))
                return Fail(error, "not a weight: " + args[2 + i]);
        command->action = Action::Weights;
    } else if (verb == "signal") {
        if (!wants(1)) return Fail(error, "signal wants a card");
        if (!card(1)) return false;
        command->action = Action::Signal;
    } else if (verb == "fault" || verb == "nofault") {
        const bool set = verb == "fault";
        if (count < 2) return Fail(error, verb + " wants a card and open, init, finish or read");
        if (!card(1)) return false;
        if (!ParseFault(args[2], &command->fault))
            return Fail(error, "not open, init, finish or read: " + args[2]);
        const bool wantsCode = set && command->fault != Fault::Open;
        if (!wants(wantsCode ? 3 : 2))
            return Fail(error, wantsCode ? "fault " + args[2] + " wants an error code"
                                         : "too many arguments");
        if (wantsCode && !ParseNumber(args[3], &command->code))
            return Fail(error, "not a 32-bit code: " + args[3]);
        command->action = set ? Action::Fault : Action::NoFault;
    } else if (verb == "text") {
        if (!wants(2)) return Fail(error, "text wants a code and a text");
        if (!ParseNumber(args[1], &command->code)) return Fail(error, "not a 32-bit code: " + args[1]);
        if (args[2].size() > 256) return Fail(error, "a text has at most 256 characters");
        command->text = args[2];
        command->action = Action::Text;
    } else if (verb == "notext") {
        if (!wants(1)) return Fail(error, "notext wants a code");
        if (!ParseNumber(args[1], &command->code)) return Fail(error, "not a 32-bit code: " + args[1]);
        command->action = Action::NoText;
    } else if (verb == "trace") {
        if (!wants(1) || args[1].empty()) return Fail(error, "trace wants a file or off");
        command->action = args[1] == "off" ? Action::TraceOff : Action::Trace;
        command->text = args[1];
    } else if (verb == "address") {
        if (!wants(2)) return Fail(error, "address wants a card and an address");
        if (!card(1)) return false;
        if (!ParseNumber(args[2], &command->number)) return Fail(error, "not an address: " + args[2]);
        command->action = Action::Address;
    } else if (verb == "detectfault") {
        if (wants(1) && args[1] == "off") {
            command->action = Action::NoDetectFault;
            return true;
        }
        if (!wants(2)) return Fail(error, "detectfault wants an address and an error code, or off");
        if (!ParseNumber(args[1], &command->number)) return Fail(error, "not an address: " + args[1]);
        if (!ParseNumber(args[2], &command->code)) return Fail(error, "not a 32-bit code: " + args[2]);
        command->action = Action::DetectFault;
    } else if (verb == "refusestop" || verb == "failstart") {
        if (!wants(1) || !ParseOnOff(args[1], &command->on)) return Fail(error, verb + " wants on or off");
        command->action = verb == "refusestop" ? Action::RefuseStop : Action::FailStart;
    } else if (verb == "clear") {
        if (!wants(0)) return Fail(error, "clear takes no arguments");
        command->action = Action::Clear;
    } else {
        return Fail(error, "unknown command: " + verb);
    }
    return true;
}

const char *Usage() {
    return "kvtsim: scripts the simulated KVT card (HKLM\\SOFTWARE\\KvtSim)\n"
           "\n"
           "  kvtsim weights CARD W1 W2 W3 W4   fixed weights, channel 1 first\n"
           "  kvtsim signal CARD                the slowly changing signal again\n"
           "  kvtsim fault CARD open            MirvoOpen gives -1\n"
           "  kvtsim fault CARD init|finish|read CODE\n"
           "                                    that entry fails, last error CODE\n"
           "  kvtsim nofault CARD open|init|finish|read\n"
           "  kvtsim text CODE TEXT             MirvoGetErrorMsg's text for CODE\n"
           "  kvtsim notext CODE\n"
           "  kvtsim trace FILE | off           the call trace of Mirvo.dll\n"
           "  kvtsim address CARD ADDRESS       where the card sits (default 0x3A0)\n"
           "  kvtsim detectfault ADDRESS CODE | off\n"
           "                                    MirvoDetect fails at ADDRESS\n"
           "  kvtsim refusestop on|off          the driver refuses to stop\n"
           "  kvtsim failstart on|off           the driver fails to start\n"
           "  kvtsim clear                      remove the whole script\n"
           "\n"
           "CARD is a device name such as KVT1; CODE and ADDRESS are decimal or 0x hex.\n"
           "Changes apply from the next open of a card; cards, addresses and the two\n"
           "driver switches from the next driver start.\n";
}

}  // namespace kvtsim
