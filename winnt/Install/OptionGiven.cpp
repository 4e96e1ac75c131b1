#include <windows.h>

#include "CommandLine.h"

namespace installation {

bool OptionGiven(const std::string &letter) { return CommandLineSelects(GetCommandLineA(), letter); }

}  // namespace installation
