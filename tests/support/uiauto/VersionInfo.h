// The version resource of a built program, as the system's version calls
// read it: its fixed numbers, its first translation and that block's strings.
#pragma once

#include <windows.h>

#include <string>

namespace uiauto {

class VersionInfo {
public:
    explicit VersionInfo(const std::string &program);

    bool Found() const { return fixed_ != nullptr; }
    const VS_FIXEDFILEINFO &Fixed() const { return *fixed_; }  // only when Found()
    WORD Language() const { return language_; }
    // A string of the first translation's block; "<no NAME>" when missing.
    std::string String(const char *name) const;

private:
    std::string data_;
    VS_FIXEDFILEINFO *fixed_ = nullptr;
    WORD language_ = 0, codePage_ = 0;
};

}  // namespace uiauto
