// The one check of a message box in the tests: its text, caption, icon,
// buttons and owner. The caller answers it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiAuto.h"

namespace uiauto {

struct ExpectedBox {
    std::string text;
    std::string caption;
    IconKind icon;
    std::vector<int> buttons;
    HWND owner;  // nullptr: a box without an owner window
};

inline void ExpectBox(const MessageBoxInfo &box, const ExpectedBox &expected) {
    if (!box) {
        ADD_FAILURE() << "expected the box \"" << expected.text << "\"";
        return;
    }
    EXPECT_EQ(expected.text, box.text);
    EXPECT_EQ(expected.caption, box.caption);
    EXPECT_EQ(expected.icon, box.icon) << "shows the " << ToString(box.icon) << ", expected the "
                                       << ToString(expected.icon);
    EXPECT_EQ(expected.buttons, box.ButtonIds());
    if (expected.owner) {
        EXPECT_EQ(expected.owner, box.owner) << "the program's window owns the box";
    } else {
        EXPECT_EQ(nullptr, box.owner) << "a box without an owner window";
    }
}

}  // namespace uiauto
