// The controls of a reader's compiled dialog template, compared with the
// table of its layout: one line per control, in template order.
#pragma once

#include <windows.h>

#include <vector>

#include "DialogTemplate.h"

namespace reader_test {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kNoId = 0xFFFF;

struct TemplateControl {
    WORD id;
    WORD windowClass;  // kButtonClass, kStaticClass
    const char *text;  // nullptr: the maker's notice, any wording
    short x, y, cx, cy;
    DWORD style;
    WORD textOrdinal = 0;  // a resource named by number (an icon), else 0
};

// Each control's id, class, text, place and style, no extended style, and
// no button that is a default push button.
void ExpectTemplateControls(const uiauto::DialogTemplate &dialog, const std::vector<TemplateControl> &expected);

}  // namespace reader_test
