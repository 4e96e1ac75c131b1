// Where a test finds the kit it tests, as Windows paths inside Wine.
#pragma once

#include <string>

namespace kit {

// The kit folder (build/<preset>/kit), e.g. "Z:\work\main\build\x64\kit".
// MIRVO_KIT_DIR in the environment overrides it: a Windows path, or a host
// path (starting with "/").
std::string KitDir();

// A file of the kit: KitPath("mirvo_bc.exe"); an absolute path as it is.
std::string KitPath(const std::string &fileName);

// The source tree's root folder.
std::string SourceDir();

// "Z:" + the host path with its slashes turned round.
std::string WindowsPathFromHost(const std::string &hostPath);

}  // namespace kit
