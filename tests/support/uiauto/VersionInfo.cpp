#include "VersionInfo.h"

#include <cstdio>
#include <cstring>

namespace uiauto {

VersionInfo::VersionInfo(const std::string &program) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
    if (size == 0) return;
    data_.assign(size, '\0');
    if (!GetFileVersionInfoA(program.c_str(), 0, size, data_.data())) return;
    UINT length = 0;
    WORD *translation = nullptr;
    if (VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                       &length) &&
        translation && length >= 2 * sizeof(WORD)) {
        language_ = translation[0];
        codePage_ = translation[1];
    }
    void *fixed = nullptr;
    if (VerQueryValueA(data_.data(), "\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO))
        fixed_ = static_cast<VS_FIXEDFILEINFO *>(fixed);
}

std::string VersionInfo::String(const char *name) const {
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\", language_, codePage_);
    char *value = nullptr;
    UINT length = 0;
    if (data_.empty() ||
        !VerQueryValueA(data_.data(), (std::string(path) + name).c_str(), reinterpret_cast<void **>(&value),
                        &length) ||
        !value)
        return "<no " + std::string(name) + ">";
    return std::string(value, strnlen(value, length));
}

}  // namespace uiauto
