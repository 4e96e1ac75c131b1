// The usage guide, shown when the command line selects no action.
#pragma once

#include <string>
#include <vector>

namespace installation {

// The usage guide, one entry a line.
std::vector<std::string> UsageLines();

// Writes the guide to standard output.
void ShowUsage();

}  // namespace installation
