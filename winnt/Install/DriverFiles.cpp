// The two files of the kit: a failed copy or deletion is reported and the
// action goes on.
#include "DriverFiles.h"

#include <windows.h>

#include "Console.h"
#include "Names.h"
#include "SystemPaths.h"

namespace installation {

namespace {

void CopyOrReport(const std::string &from, const std::string &to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) ReportSystemError(GetLastError());
}

void DeleteOrReport(const std::string &path) {
    if (!DeleteFileA(path.c_str())) ReportSystemError(GetLastError());
}

}  // namespace

void CopyDriverFiles(const std::string &sourceDir) {
    CopyOrReport(sourceDir + kLibraryFile, SystemDirPath() + kLibraryFile);
    CopyOrReport(sourceDir + kDriverFile, DriversDirPath() + kDriverFile);
}

void DeleteDriverFiles() {
    DeleteOrReport(SystemDirPath() + kLibraryFile);
    DeleteOrReport(DriversDirPath() + kDriverFile);
}

}  // namespace installation
