#include "ProgramResources.h"

#include <gtest/gtest.h>

namespace reader_test {

uiauto::DialogTemplate ReadTemplate(const std::string &program, LPCSTR name) {
    uiauto::DialogTemplate dialog;
    std::string error;
    EXPECT_TRUE(uiauto::ReadDialogTemplate(program, name, dialog, error)) << error;
    return dialog;
}

void ExpectTemplateFrame(const uiauto::DialogTemplate &dialog, const TemplateFrame &expected) {
    EXPECT_EQ(expected.windowClass, dialog.windowClass.name);
    EXPECT_EQ(0, dialog.windowClass.ordinal) << "a class by name, or none";
    EXPECT_EQ("", dialog.menu.name);
    EXPECT_EQ(0, dialog.menu.ordinal) << "no menu";
    EXPECT_EQ(expected.caption, dialog.caption);
    EXPECT_EQ(expected.style, dialog.style) << std::hex << "style 0x" << dialog.style << ", expected 0x"
                                            << expected.style;
    EXPECT_EQ(expected.exStyle, dialog.exStyle) << std::hex << "extended style 0x" << dialog.exStyle;
    EXPECT_EQ(expected.x, dialog.x);
    EXPECT_EQ(expected.y, dialog.y);
    EXPECT_EQ(expected.cx, dialog.cx);
    EXPECT_EQ(expected.cy, dialog.cy);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ("MS Sans Serif", dialog.font);
}

void ExpectIconGroup(const std::string &program, LPCSTR group, const std::vector<IconShape> &expected) {
    std::string error;
    const std::vector<uiauto::IconImage> images = uiauto::ReadIconGroup(program, group, error);
    ASSERT_EQ(expected.size(), images.size()) << "images in the icon group; " << error;
    for (size_t i = 0; i < images.size(); ++i) {
        const IconShape &want = expected[i];
        const uiauto::IconImage &got = images[i];
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(want.size, got.width);
        EXPECT_EQ(want.size, got.height);
        EXPECT_EQ(want.colours, got.colours);
        EXPECT_EQ(want.bits, got.bitCount);
        EXPECT_EQ(want.size, got.bitmap.biWidth);
        EXPECT_EQ(2 * want.size, got.bitmap.biHeight) << "the image and its mask";
        EXPECT_EQ(want.bits, got.bitmap.biBitCount);
        const size_t palette = size_t(1) << want.bits;
        const size_t maskRow = ((want.size + 31) / 32) * 4;
        const size_t pixelRow = ((want.size * want.bits + 31) / 32) * 4;
        EXPECT_EQ(sizeof(BITMAPINFOHEADER) + palette * 4 + want.size * (pixelRow + maskRow), got.bytes)
            << "palette, pixels and mask";
    }
}

void ExpectFixedVersion(const uiauto::VersionInfo &version, DWORD ms, DWORD ls) {
    ASSERT_TRUE(version.Found()) << "no version resource";
    EXPECT_EQ(ms, version.Fixed().dwFileVersionMS);
    EXPECT_EQ(ls, version.Fixed().dwFileVersionLS);
    EXPECT_EQ(ms, version.Fixed().dwProductVersionMS);
    EXPECT_EQ(ls, version.Fixed().dwProductVersionLS);
}

}  // namespace reader_test
