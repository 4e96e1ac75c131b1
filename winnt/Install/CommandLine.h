// The installer's options: a letter after "-", "/" or "\". The splitting and
// matching use no Windows header (they are fuzzed on the host); the run
// parses the system's command line once (ParseOptions) and passes the
// options down.
#pragma once

#include <string>
#include <vector>

namespace installation {

// Splits a command line at blanks and control characters; a double-quoted
// stretch stays in one argument and loses its quotes. Element 0 is the
// program's own path.
std::vector<std::string> SplitCommandLine(const std::string &commandLine);

// True when `argument` is a prefix character followed by exactly `letter`
// (ASCII letters compared without case).
bool ArgumentSelects(const std::string &argument, const std::string &letter);

// True when some argument after the program's path selects `letter`.
bool CommandLineSelects(const std::string &commandLine, const std::string &letter);

// What a run does: "x" wins over "i"; with neither, the usage guide.
enum class InstallerAction { Usage, Install, Uninstall };
InstallerAction ChooseAction(const std::string &commandLine);

// Everything a run takes from its command line.
struct InstallerOptions {
    InstallerAction action = InstallerAction::Usage;
    bool noQuestion = false;  // "y": install without the closing pause, uninstall without asking
    bool noCopy = false;      // "f": the files are in place already
};
InstallerOptions ParseOptions(const std::string &commandLine);

}  // namespace installation
