// A program's compiled resources compared with their tables: the template's
// frame, the images of an icon group, the fixed version numbers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "VersionInfo.h"

namespace reader_test {

// Template `name` of `program`; a failed read fails the test.
uiauto::DialogTemplate ReadTemplate(const std::string &program, LPCSTR name);

// Every template here has no menu and the 8-point "MS Sans Serif" font.
struct TemplateFrame {
    std::string windowClass;  // "" for the dialog manager's own class
    std::string caption;
    DWORD style, exStyle;
    short x, y, cx, cy;
};
void ExpectTemplateFrame(const uiauto::DialogTemplate &dialog, const TemplateFrame &expected);

// 16 colours means 4 bits per pixel; each bitmap holds its image and mask.
struct IconShape {
    int size, colours, bits;
};
void ExpectIconGroup(const std::string &program, LPCSTR group, const std::vector<IconShape> &expected);

// File and product version, as the two halves of the fixed record.
void ExpectFixedVersion(const uiauto::VersionInfo &version, DWORD ms, DWORD ls);

}  // namespace reader_test
