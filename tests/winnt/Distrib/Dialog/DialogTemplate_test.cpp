// The resources compiled into the built mirvo_bc.exe: its dialog template
// "MIRVOTEST" and its icon "MAINICON".
#include <gtest/gtest.h>

#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"
#include "TemplateControls.h"

namespace {

using reader_test::kButtonClass;
using reader_test::kNoId;
using reader_test::kStaticClass;

const std::string &Program() {
    static const std::string path = kit::KitPath("mirvo_bc.exe");
    return path;
}

uiauto::DialogTemplate ReadTemplate() {
    uiauto::DialogTemplate dialog;
    std::string error;
    EXPECT_TRUE(uiauto::ReadDialogTemplate(Program(), "MIRVOTEST", dialog, error)) << error;
    return dialog;
}

TEST(DialogTemplate, WindowClassCaptionStylesAndFont) {
    const uiauto::DialogTemplate dialog = ReadTemplate();
    EXPECT_EQ("MIRVOTEST", dialog.windowClass.name);
    EXPECT_EQ(0, dialog.windowClass.ordinal);
    EXPECT_EQ("", dialog.menu.name);
    EXPECT_EQ(0, dialog.menu.ordinal) << "no menu";
    EXPECT_EQ("KVT Example MinGW-w64 GCC " + std::to_string(__GNUC__), dialog.caption)
        << "\"KVT Example \" and the toolchain";
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), dialog.style)
        << std::hex << "style 0x" << dialog.style << "; not WS_VISIBLE: start-up shows the window";
    EXPECT_EQ(0u, dialog.exStyle);
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(186, dialog.cx);
    EXPECT_EQ(85, dialog.cy);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ("MS Sans Serif", dialog.font);
}

TEST(DialogTemplate, SevenControlsInOrder) {
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    const DWORD text = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
    const DWORD icon = WS_CHILD | WS_VISIBLE | SS_ICON;
    const std::vector<reader_test::TemplateControl> expected = {
        {IDCANCEL, kButtonClass, "E&xit", 7, 47, 50, 14, button},
        {1000, kButtonClass, "&Init Card", 7, 7, 50, 14, button},
        {1001, kButtonClass, "&Finish Card", 73, 7, 50, 14, button},
        {1002, kButtonClass, "&Read Card", 7, 28, 50, 14, button},
        {1003, kStaticClass, "closed", 73, 32, 97, 15, text},
        {kNoId, kStaticClass, nullptr, 7, 68, 113, 10, text},
        {kNoId, kStaticClass, "MAINICON", 159, 58, 20, 20, icon},
    };
    reader_test::ExpectTemplateControls(ReadTemplate(), expected);
}

TEST(DialogTemplate, MainIconIsOne32By32ImageOf16Colours) {
    std::string error;
    const std::vector<uiauto::IconImage> images = uiauto::ReadIconGroup(Program(), "MAINICON", error);
    ASSERT_EQ(1u, images.size()) << "images in MAINICON; " << error;
    const uiauto::IconImage &entry = images[0];
    EXPECT_EQ(32, entry.width);
    EXPECT_EQ(32, entry.height);
    EXPECT_EQ(16, entry.colours);
    EXPECT_EQ(4, entry.bitCount);

    const BITMAPINFOHEADER &bitmap = entry.bitmap;
    EXPECT_EQ(32, bitmap.biWidth);
    EXPECT_EQ(64, bitmap.biHeight) << "the image and its mask";
    EXPECT_EQ(4, bitmap.biBitCount);
    EXPECT_EQ(sizeof bitmap + 16 * 4 + 32 * 32 / 2 + 32 * 4, entry.bytes) << "palette, pixels and mask";
}

TEST(DialogTemplate, CarriesAVersion) {
    std::string error;
    EXPECT_NE("", uiauto::ReadResource(Program(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION, error)) << error;
}

}  // namespace
