#include "CommandLine.h"

namespace installation {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

char FoldAsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsOptionPrefix(char c) { return c == '-' || c == '/' || c == '\\'; }

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string &commandLine) {
    std::vector<std::string> arguments;
    std::string::size_type at = 0;
    const std::string::size_type end = commandLine.size();
    for (;;) {
        while (at < end && IsSeparator(commandLine[at])) ++at;
        if (at >= end) break;
        std::string argument;
        bool quoted = false;
        while (at < end && (quoted || !IsSeparator(commandLine[at]))) {
            if (commandLine[at] == '"')
                quoted = !quoted;
            else
                argument += commandLine[at];
            ++at;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

bool ArgumentSelects(const std::string &argument, const std::string &letter) {
    if (argument.empty() || !IsOptionPrefix(argument[0])) return false;
    const std::string rest = argument.substr(1);
    if (rest.size() != letter.size()) return false;
    for (std::string::size_type i = 0; i < rest.size(); ++i) {
        if (FoldAsciiUpper(rest[i]) != FoldAsciiUpper(letter[i])) return false;
    }
    return true;
}

bool CommandLineSelects(const std::string &commandLine, const std::string &letter) {
    const std::vector<std::string> arguments = SplitCommandLine(commandLine);
    for (std::vector<std::string>::size_type i = 1; i < arguments.size(); ++i) {
        if (ArgumentSelects(arguments[i], letter)) return true;
    }
    return false;
}

InstallerAction ChooseAction(const std::string &commandLine) {
    if (CommandLineSelects(commandLine, "x")) return InstallerAction::Uninstall;
    if (CommandLineSelects(commandLine, "i")) return InstallerAction::Install;
    return InstallerAction::Usage;
}

InstallerOptions ParseOptions(const std::string &commandLine) {
    InstallerOptions options;
    options.action = ChooseAction(commandLine);
    options.noQuestion = CommandLineSelects(commandLine, "y");
    options.noCopy = CommandLineSelects(commandLine, "f");
    return options;
}

}  // namespace installation
