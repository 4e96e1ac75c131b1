// The installer's command line on any text: the line is copied into a heap
// buffer of exactly its length (no terminator to lean on), the split keeps
// every character that is not a quote or an unquoted separator, in order,
// and "x" always wins over "i".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "FuzzCheck.h"

using namespace installation;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string commandLine(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string> arguments = SplitCommandLine(commandLine);

    // What the arguments must hold, all together: the line without quotes
    // and without the separators outside them.
    std::string kept, joined;
    bool quoted = false;
    for (char c : commandLine) {
        if (c == '"')
            quoted = !quoted;
        else if (quoted || static_cast<unsigned char>(c) > ' ')
            kept += c;
    }
    for (const std::string &argument : arguments) joined += argument;
    FUZZ_CHECK(joined == kept);
    FUZZ_CHECK(arguments.size() <= size / 2 + 1);

    bool x = false, i = false;
    for (std::size_t n = 1; n < arguments.size(); ++n) {
        x = x || ArgumentSelects(arguments[n], "x");
        i = i || ArgumentSelects(arguments[n], "i");
        if (ArgumentSelects(arguments[n], "x")) FUZZ_CHECK(arguments[n].size() == 2);
    }
    FUZZ_CHECK(CommandLineSelects(commandLine, "x") == x);
    FUZZ_CHECK(CommandLineSelects(commandLine, "i") == i);
    const InstallerAction action = ChooseAction(commandLine);
    if (x)
        FUZZ_CHECK(action == InstallerAction::Uninstall);
    else if (i)
        FUZZ_CHECK(action == InstallerAction::Install);
    else
        FUZZ_CHECK(action == InstallerAction::Usage);

    // An argument alone, in a buffer of exactly its size.
    std::unique_ptr<char[]> exact(new char[size + 1]);
    for (std::size_t n = 0; n < size; ++n) exact[n] = commandLine[n];
    (void)ArgumentSelects(std::string(exact.get(), size), "y");
    return 0;
}
