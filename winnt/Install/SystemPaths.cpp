#include "SystemPaths.h"

#include <windows.h>

#include "Failure.h"
#include "ModulePath.h"

namespace installation {

std::string FolderOfPath(const std::string &path) {
    const std::string::size_type last = path.find_last_of("\\:");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ProgramFolder() { return FolderOfPath(kit::ModulePath()); }

std::string SystemDirPath() {
    char dir[MAX_PATH + 1] = {};
    if (GetSystemDirectoryA(dir, sizeof dir) == 0) throw InstallFailure("couldn't find sys dir");
    return std::string(dir) + "\\";
}

std::string DriversDirPath() { return SystemDirPath() + "Drivers\\"; }

}  // namespace installation
