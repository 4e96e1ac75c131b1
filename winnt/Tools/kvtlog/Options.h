// kvtlog's command line: pure rules, no Windows header (fuzzed on the host).
//   kvtlog [-n COUNT | -t SECONDS] [-r RATE] [-o FILE [-w | -a]] [-k] [CARD]
// An option is "-", "/" or "\" and one letter (either case) or "?"; -n, -t,
// -r and -o take the next argument as their value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvtlog {

// The limits the options take.
constexpr std::uint64_t kMaxCount = 999999999999999999ULL;  // 18 digits
constexpr double kMaxSeconds = 100000000.0;                   // over three years
constexpr double kMaxRate = 1000000.0;                        // readings per second

enum class Existing { Refuse, Overwrite, Append };

struct Options {
    std::string card = "KVT1";
    std::uint64_t count = 0;  // 0: no count
    double seconds = 0;       // 0: no duration
    double rate = 0;          // 0: as fast as the card answers
    std::string file;         // empty: standard output
    Existing existing = Existing::Refuse;
    bool keepGoing = false;
};

enum class Action { Record, Usage, Refused };

struct Parsed {
    Action action = Action::Refused;
    Options options;    // meaningful for Action::Record
    std::string error;  // what was wrong, for Action::Refused
};

// The arguments after the program's path.
Parsed ParseOptions(const std::vector<std::string> &arguments);

// A count: 1 to 18 decimal digits, not zero. False when it is not one.
bool ParseCount(const std::string &text, std::uint64_t &count);

// A positive decimal number: digits with at most one point ("2", "0.5",
// ".5", "2."), no sign, no exponent, at most 30 characters, not zero.
bool ParseDecimal(const std::string &text, double &value);

// The usage guide, one entry a line, in the installer's layout.
std::vector<std::string> UsageLines();

// The program's exit codes (README.md lists them).
enum ExitCode : int {
    kExitDone = 0,          // count or duration reached, or stopped by Ctrl+C, Ctrl+Break, console closed
    kExitBadOptions = 1,    // the command line was refused (the usage follows the reason)
    kExitCannotOpen = 2,    // MirvoOpen failed
    kExitCannotInit = 3,    // MirvoInit failed
    kExitReadFailed = 4,    // a read failed (without -k)
    kExitFileFailed = 5,    // the file cannot be created, written or closed (or exists without -w / -a)
    kExitCannotFinish = 6,  // MirvoFinish failed after the last reading (everything is in the file)
};

}  // namespace kvtlog
