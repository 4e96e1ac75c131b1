#include "Options.h"

#include <cstdlib>

#include "CardName.h"

namespace kvtlog {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The option letter of `argument` (lower case, or '?'), or 0 when it is no
// option: a prefix and exactly one letter or question mark.
char OptionLetter(const std::string &argument) {
    if (argument.size() < 1) return 0;
    const char prefix = argument[0];
    if (prefix != '-' && prefix != '/' && prefix != '\\') return 0;
    if (argument.size() != 2) return '!';  // a prefix, but no single letter
    const char letter = argument[1];
    if (letter == '?') return '?';
    if (!IsLetter(letter)) return '!';
    return static_cast<char>(letter | 0x20);
}

Parsed Refuse(const std::string &error) {
    Parsed parsed;
    parsed.action = Action::Refused;
    parsed.error = error;
    return parsed;
}

// An argument as the refusal quotes it: cut, unprintable bytes as '?'.
std::string Quoted(const std::string &argument) {
    std::string text;
    for (std::size_t i = 0; i < argument.size() && i < 40; ++i) {
        const unsigned char c = static_cast<unsigned char>(argument[i]);
        text += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
    }
    if (argument.size() > 40) text += "...";
    return "\"" + text + "\"";
}

}  // namespace

bool ParseCount(const std::string &text, std::uint64_t &count) {
    if (text.empty() || text.size() > 18) return false;
    std::uint64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value == 0) return false;
    count = value;
    return true;
}

bool ParseDecimal(const std::string &text, double &value) {
    if (text.empty() || text.size() > 30) return false;
    int points = 0, digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (IsDigit(c))
            ++digits;
        else
            return false;
    }
    if (points > 1 || digits == 0) return false;
    // Whole and fraction from the digits themselves: no locale involved.
    long double whole = 0, fraction = 0, scale = 1;
    bool afterPoint = false;
    for (char c : text) {
        if (c == '.') {
            afterPoint = true;
        } else if (afterPoint) {
            scale /= 10;
            fraction += (c - '0') * scale;
        } else {
            whole = whole * 10 + (c - '0');
        }
    }
    const double result = static_cast<double>(whole + fraction);
    if (!(result > 0)) return false;
    value = result;
    return true;
}

Parsed ParseOptions(const std::vector<std::string> &arguments) {
    // The usage whenever it is asked for.
    for (const std::string &argument : arguments) {
        const char letter = OptionLetter(argument);
        if (letter == '?' || letter == 'h') {
            Parsed parsed;
            parsed.action = Action::Usage;
            return parsed;
        }
    }
    Parsed parsed;
    Options &options = parsed.options;
    bool cardGiven = false, countGiven = false, secondsGiven = false, rateGiven = false, fileGiven = false;
    bool overwrite = false, append = false, keep = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument.empty()) return Refuse("an empty argument");
        const char letter = OptionLetter(argument);
        if (letter == 0) {
            if (cardGiven) return Refuse("only one card: " + Quoted(argument) + " after " + Quoted(options.card));
            if (!kvtcard::IsCardName(argument.data(), argument.size()))
                return Refuse("not a card name (1 to 31 letters and digits): " + Quoted(argument));
            options.card = argument;
            cardGiven = true;
            continue;
        }
        if (letter == '!') return Refuse("unknown option " + Quoted(argument));
        const std::string name = std::string("-") + letter;
        auto once = [&](bool &given) {
            if (given) return false;
            given = true;
            return true;
        };
        switch (letter) {
        case 'n':
        case 't':
        case 'r':
        case 'o': {
            if (i + 1 >= arguments.size()) {
                const char *what = letter == 'n' ? "a number of readings"
                                   : letter == 't' ? "a number of seconds"
                                   : letter == 'r' ? "a number of readings per second"
                                                   : "a file name";
                return Refuse(name + " needs " + what);
            }
            const std::string &value = arguments[++i];
            if (letter == 'n') {
                if (!once(countGiven)) return Refuse(name + " given twice");
                if (!ParseCount(value, options.count))
                    return Refuse("-n needs a whole number of readings from 1 to 18 digits, not " + Quoted(value));
            } else if (letter == 't') {
                if (!once(secondsGiven)) return Refuse(name + " given twice");
                if (!ParseDecimal(value, options.seconds) || options.seconds > kMaxSeconds)
                    return Refuse("-t needs a number of seconds above 0 and up to 100000000 (e.g. 60 or 0.5), not " +
                                  Quoted(value));
            } else if (letter == 'r') {
                if (!once(rateGiven)) return Refuse(name + " given twice");
                if (!ParseDecimal(value, options.rate) || options.rate > kMaxRate)
                    return Refuse("-r needs a number of readings per second above 0 and up to 1000000 (e.g. 200 "
                                  "or 0.5), not " +
                                  Quoted(value));
            } else {
                if (!once(fileGiven)) return Refuse(name + " given twice");
                if (value.empty()) return Refuse("-o needs a file name");
                options.file = value;
            }
            break;
        }
        case 'w':
            if (!once(overwrite)) return Refuse(name + " given twice");
            break;
        case 'a':
            if (!once(append)) return Refuse(name + " given twice");
            break;
        case 'k':
            if (!once(keep)) return Refuse(name + " given twice");
            break;
        default:
            return Refuse("unknown option " + Quoted(argument));
        }
    }
    if (countGiven && secondsGiven) return Refuse("-n and -t cannot be given together");
    if (overwrite && append) return Refuse("-w and -a cannot be given together");
    if ((overwrite || append) && !fileGiven) return Refuse(std::string(overwrite ? "-w" : "-a") + " needs -o FILE");
    options.existing = overwrite ? Existing::Overwrite : append ? Existing::Append : Existing::Refuse;
    options.keepGoing = keep;
    parsed.action = Action::Record;
    return parsed;
}

std::vector<std::string> UsageLines() {
    return {
        "",
        "KVTLOG.EXE  Qorim KVT driver kit  Usage guide",
        "This program records the four weights of a KVT card to a CSV ",
        "file, at a set rate or as fast as the card answers. Usage:",
        "",
        "kvtlog [-n COUNT | -t SECONDS] [-r RATE] [-o FILE [-w | -a]] [-k] [CARD]",
        "",
        "command line options:",
        "  CARD        the card's name, e.g. KVT2 (KVT1 when left out)",
        "  -n COUNT    take COUNT readings, then stop",
        "  -t SECONDS  read for SECONDS (e.g. 60 or 0.5), then stop",
        "              (with neither: until Ctrl+C or Ctrl+Break)",
        "  -r RATE     RATE readings per second (e.g. 200 or 0.5); without ",
        "              it, as fast as the card answers",
        "  -o FILE     write the readings to FILE (to standard output ",
        "              without it); an existing FILE is refused unless:",
        "  -w          overwrite an existing FILE",
        "  -a          append to an existing FILE (no second header)",
        "  -k          keep going after a failed read: its line has the ",
        "              time and empty weight fields",
        "  -?  -h      show this guide",
        "",
        "Each line: the time since the start in seconds, then the four ",
        "weights with three decimals, e.g. 0.005012,1.500,-0.250,0.000,12.000",
        "Exit codes: 0 done or stopped, 1 bad options, 2 card cannot be ",
        "opened, 3 MirvoInit failed, 4 a read failed, 5 the file cannot be ",
        "created or written, 6 MirvoFinish failed.",
    };
}

}  // namespace kvtlog
