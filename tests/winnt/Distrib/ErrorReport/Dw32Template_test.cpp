// The resources compiled into the built mirvo_dw32.exe: its dialog template
// "MIRVOAPP", its icon "MAINICON" and its version.
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
    static const std::string path = kit::KitPath("mirvo_dw32.exe");
    return path;
}

TEST(Dw32Template, WindowClassCaptionStylesAndFont) {
    uiauto::DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(uiauto::ReadDialogTemplate(Program(), "MIRVOAPP", dialog, error)) << error;
    EXPECT_EQ("MIRVOAPP", dialog.windowClass.name);
    EXPECT_EQ(0, dialog.menu.ordinal) << "no menu";
    EXPECT_EQ("", dialog.menu.name);
    EXPECT_EQ("Mirvo MinGW-w64 GCC W32 Example", dialog.caption) << "\"Mirvo \", the toolchain, \" W32 Example\"";
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME |
                        DS_SETFONT | DS_3DLOOK | DS_CENTER | DS_CONTEXTHELP;
    EXPECT_EQ(style, dialog.style) << std::hex << "style 0x" << dialog.style << ", expected 0x" << style;
    EXPECT_EQ(static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP), dialog.exStyle)
        << std::hex << "extended style 0x" << dialog.exStyle;
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(200, dialog.cx);
    EXPECT_EQ(83, dialog.cy);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ("MS Sans Serif", dialog.font);

    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
    const DWORD text = WS_CHILD | WS_VISIBLE | SS_LEFT;
    const DWORD icon = WS_CHILD | WS_VISIBLE | SS_ICON;
    reader_test::ExpectTemplateControls(dialog, {
        {102, kButtonClass, "&Init", 12, 8, 50, 14, button},
        {103, kButtonClass, "&Read", 12, 32, 50, 14, button},
        {201, kStaticClass, "status", 72, 36, 116, 8, text},
        {104, kButtonClass, "&Finish", 72, 8, 50, 14, button},
        {IDCANCEL, kButtonClass, "E&xit", 136, 8, 50, 14, button},
        {kNoId, kStaticClass, "MAINICON", 176, 56, 16, 16, icon},
        {kNoId, kStaticClass, nullptr, 12, 60, 120, 12, text},
    });
}

TEST(Dw32Template, MainIconIsOne32By32ImageOf16ColoursAndAVersion) {
    std::string error;
    const std::vector<uiauto::IconImage> images = uiauto::ReadIconGroup(Program(), "MAINICON", error);
    ASSERT_EQ(1u, images.size()) << error;
    EXPECT_EQ(32, images[0].width);
    EXPECT_EQ(32, images[0].height);
    EXPECT_EQ(16, images[0].colours);
    EXPECT_EQ(4, images[0].bitCount);
    EXPECT_EQ(32, images[0].bitmap.biWidth);
    EXPECT_EQ(64, images[0].bitmap.biHeight) << "the image and its mask";
    EXPECT_EQ(4, images[0].bitmap.biBitCount);
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + 16 * 4 + 32 * 32 / 2 + 32 * 4, images[0].bytes) << "palette, pixels and mask";

    EXPECT_NE("", uiauto::ReadResource(Program(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION, error)) << error;
}

}  // namespace
