// The two files of the kit: a failed copy or deletion is reported and the
// action goes on.
#pragma once

#include <string>

namespace installation {

void CopyDriverFiles(const std::string &sourceDir);
void DeleteDriverFiles();

}  // namespace installation
