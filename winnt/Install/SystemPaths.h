// Folder paths, each ending with a backslash.
#pragma once

#include <string>

namespace installation {

// The folder part of a program's path: up to and including its last
// backslash or colon ("" when it has neither).
std::string FolderOfPath(const std::string &path);

// The folder the running program was started from.
std::string ProgramFolder();

// The system folder and its drivers folder; InstallFailure "couldn't find
// sys dir" when the system does not say.
std::string SystemDirPath();
std::string DriversDirPath();

}  // namespace installation
