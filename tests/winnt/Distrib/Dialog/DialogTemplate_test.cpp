// The resources compiled into the built mirvo_bc.exe: its dialog template
// "MIRVOTEST" and its icon "MAINICON".
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"

namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kNoId = 0xFFFF;

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
    const struct {
        WORD id;
        WORD windowClass;
        const char *text;  // nullptr: the maker's notice, any wording
        short x, y, cx, cy;
        DWORD style;
    } expected[] = {
        {IDCANCEL, kButtonClass, "E&xit", 7, 47, 50, 14, button},
        {1000, kButtonClass, "&Init Card", 7, 7, 50, 14, button},
        {1001, kButtonClass, "&Finish Card", 73, 7, 50, 14, button},
        {1002, kButtonClass, "&Read Card", 7, 28, 50, 14, button},
        {1003, kStaticClass, "closed", 73, 32, 97, 15, text},
        {kNoId, kStaticClass, nullptr, 7, 68, 113, 10, text},
        {kNoId, kStaticClass, "MAINICON", 159, 58, 20, 20, icon},
    };
    const uiauto::DialogTemplate dialog = ReadTemplate();
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

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(DialogTemplate, MainIconIsOne32By32ImageOf16Colours) {
    std::string error;
    const std::string group = uiauto::ReadResource(Program(), "MAINICON", RT_GROUP_ICON, error);
    ASSERT_GE(group.size(), 6 + sizeof(GroupIconEntry)) << error;
    const WORD *header = reinterpret_cast<const WORD *>(group.data());
    EXPECT_EQ(1, header[1]) << "an icon group";
    ASSERT_EQ(1, header[2]) << "images in MAINICON";
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + 6, sizeof entry);
    EXPECT_EQ(32, entry.width);
    EXPECT_EQ(32, entry.height);
    EXPECT_EQ(16, entry.colours);
    EXPECT_EQ(4, entry.bitCount);

    const std::string image = uiauto::ReadResource(Program(), MAKEINTRESOURCEA(entry.id), RT_ICON, error);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER)) << error;
    BITMAPINFOHEADER bitmap;
    std::memcpy(&bitmap, image.data(), sizeof bitmap);
    EXPECT_EQ(32, bitmap.biWidth);
    EXPECT_EQ(64, bitmap.biHeight) << "the image and its mask";
    EXPECT_EQ(4, bitmap.biBitCount);
    EXPECT_EQ(sizeof bitmap + 16 * 4 + 32 * 32 / 2 + 32 * 4, image.size()) << "palette, pixels and mask";
}

TEST(DialogTemplate, CarriesAVersion) {
    std::string error;
    EXPECT_NE("", uiauto::ReadResource(Program(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION, error)) << error;
}

}  // namespace
