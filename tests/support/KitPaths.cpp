#include "KitPaths.h"

#include <cstdlib>

namespace kit {

std::string WindowsPathFromHost(const std::string &hostPath) {
    std::string path = "Z:" + hostPath;
    for (char &c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string KitDir() {
    if (const char *dir = std::getenv("MIRVO_KIT_DIR"); dir && *dir)
        return *dir == '/' ? WindowsPathFromHost(dir) : dir;
    return WindowsPathFromHost(KIT_DIR_HOST);
}

std::string KitPath(const std::string &fileName) {
    const bool absolute = (fileName.size() > 1 && fileName[1] == ':') || fileName.rfind("\\", 0) == 0;
    return absolute ? fileName : KitDir() + "\\" + fileName;
}

std::string SourceDir() { return WindowsPathFromHost(KIT_SOURCE_DIR_HOST); }

}  // namespace kit
