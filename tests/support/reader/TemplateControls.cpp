#include "TemplateControls.h"

#include <gtest/gtest.h>

#include <string>

namespace reader_test {

void ExpectTemplateControls(const uiauto::DialogTemplate &dialog, const std::vector<TemplateControl> &expected) {
    ASSERT_EQ(expected.size(), dialog.items.size());
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const auto &want = expected[i];
        const auto &got = dialog.items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(want.id) + ")");
        EXPECT_EQ(want.id, got.id);
        EXPECT_EQ(want.windowClass, got.windowClass.ordinal) << "class " << got.windowClass.name;
        if (want.text) {
            EXPECT_EQ(want.text, got.text.name);
        } else {
            EXPECT_NE("", got.text.name) << "the maker's notice has a text";
        }
        EXPECT_EQ(want.textOrdinal, got.text.ordinal);
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.cx, got.cx);
        EXPECT_EQ(want.cy, got.cy);
        EXPECT_EQ(want.style, got.style) << std::hex << "style 0x" << got.style << ", expected 0x" << want.style;
        EXPECT_EQ(0u, got.exStyle);
        if (got.windowClass.ordinal == kButtonClass) {
            EXPECT_NE(static_cast<DWORD>(BS_DEFPUSHBUTTON), got.style & 0x0F) << "no default push button";
        }
    }
}

}  // namespace reader_test
