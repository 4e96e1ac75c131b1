// The resources compiled into the built mirvo_dw32.exe: its dialog template
// "MIRVOAPP", its icon "MAINICON" and its version.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"

namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kNoId = 0xFFFF;

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
    const struct {
        WORD id;
        WORD windowClass;
        const char *text;  // nullptr: the maker's notice, any wording
        short x, y, cx, cy;
        DWORD style;
    } expected[] = {
        {102, kButtonClass, "&Init", 12, 8, 50, 14, button},
        {103, kButtonClass, "&Read", 12, 32, 50, 14, button},
        {201, kStaticClass, "status", 72, 36, 116, 8, text},
        {104, kButtonClass, "&Finish", 72, 8, 50, 14, button},
        {IDCANCEL, kButtonClass, "E&xit", 136, 8, 50, 14, button},
        {kNoId, kStaticClass, "MAINICON", 176, 56, 16, 16, icon},
        {kNoId, kStaticClass, nullptr, 12, 60, 120, 12, text},
    };
    ASSERT_EQ(std::size(expected), dialog.items.size());
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
        EXPECT_EQ((std::vector<short>{want.x, want.y, want.cx, want.cy}),
                  (std::vector<short>{got.x, got.y, got.cx, got.cy}));
        EXPECT_EQ(want.style, got.style) << std::hex << "style 0x" << got.style << ", expected 0x" << want.style;
        EXPECT_EQ(0u, got.exStyle);
    }
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

    EXPECT_NE("", uiauto::ReadResource(Program(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION, error)) << error;
}

}  // namespace
