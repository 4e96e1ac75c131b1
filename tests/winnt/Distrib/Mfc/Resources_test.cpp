// The resources compiled into the built Mirvo_mfc.exe: dialog template 102,
// icon group 128 and the version resource.
#include <gtest/gtest.h>

#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"
#include "MirvoMfcReader.h"
#include "TemplateControls.h"
#include "VersionInfo.h"

namespace {

using reader_test::kButtonClass;
using reader_test::kNoId;
using reader_test::kStaticClass;

const std::string &Program() {
    static const std::string path = kit::KitPath("Mirvo_mfc.exe");
    return path;
}

TEST(MfcResources, Template102WindowStylesTitleAndFont) {
    uiauto::DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(uiauto::ReadDialogTemplate(Program(), MAKEINTRESOURCEA(102), dialog, error)) << error;
    EXPECT_EQ(0x90C800C0u, dialog.style) << std::hex << "style 0x" << dialog.style;
    EXPECT_EQ(0x00040000u, dialog.exStyle) << std::hex << "extended style 0x" << dialog.exStyle;
    EXPECT_EQ("", dialog.windowClass.name);
    EXPECT_EQ(0, dialog.windowClass.ordinal) << "the dialog manager's own class";
    EXPECT_EQ(0, dialog.menu.ordinal);
    EXPECT_EQ(mirvo_mfc_test::MfcTitle(), dialog.caption);
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(201, dialog.cx);
    EXPECT_EQ(77, dialog.cy);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ("MS Sans Serif", dialog.font);
}

TEST(MfcResources, Template102ControlsInOrder) {
    // The icon control names icon resource 128 by number.
    const std::vector<reader_test::TemplateControl> expected = {
        {IDCANCEL, kButtonClass, "E&xit", 144, 56, 50, 14, 0x50010000},
        {1001, kStaticClass, "", 67, 29, 127, 12, 0x50020000},
        {1002, kButtonClass, "Init", 7, 7, 50, 14, 0x50010000},
        {1003, kButtonClass, "Finish", 67, 7, 50, 14, 0x50010000},
        {1004, kButtonClass, "Read", 7, 27, 50, 14, 0x50010000},
        {kNoId, kStaticClass, nullptr, 42, 57, 94, 13, 0x50020000},
        {kNoId, kStaticClass, "", 7, 50, 20, 20, 0x50000003, 128},
    };
    uiauto::DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(uiauto::ReadDialogTemplate(Program(), MAKEINTRESOURCEA(102), dialog, error)) << error;
    reader_test::ExpectTemplateControls(dialog, expected);
}

TEST(MfcResources, Icon128HasA32And16PixelImageOf16Colours) {
    std::string error;
    const std::vector<uiauto::IconImage> images = uiauto::ReadIconGroup(Program(), MAKEINTRESOURCEA(128), error);
    ASSERT_EQ(2u, images.size()) << "images in icon group 128 " << error;
    for (int i = 0; i < 2; ++i) {
        const int size = i == 0 ? 32 : 16;
        SCOPED_TRACE(std::to_string(size) + " by " + std::to_string(size));
        EXPECT_EQ(size, images[i].width);
        EXPECT_EQ(size, images[i].height);
        EXPECT_EQ(16, images[i].colours);
        EXPECT_EQ(4, images[i].bitCount);
        EXPECT_EQ(size, images[i].bitmap.biWidth);
        EXPECT_EQ(2 * size, images[i].bitmap.biHeight) << "the image and its mask";
        EXPECT_EQ(4, images[i].bitmap.biBitCount);
    }
}

TEST(MfcResources, VersionIs1001WithItsNamesAndTheDebugFlag) {
    const uiauto::VersionInfo version(Program());
    ASSERT_TRUE(version.Found()) << "no version resource";
    const VS_FIXEDFILEINFO &fixed = version.Fixed();
    EXPECT_EQ(0x00010000u, fixed.dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed.dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed.dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed.dwProductVersionLS);
    EXPECT_TRUE(fixed.dwFileFlags & fixed.dwFileFlagsMask & VS_FF_DEBUG) << "the debug flag";
    EXPECT_EQ("1, 0, 0, 1", version.String("FileVersion"));
    EXPECT_EQ("1, 0, 0, 1", version.String("ProductVersion"));
    EXPECT_EQ("Mirvo_mfc", version.String("InternalName"));
    EXPECT_EQ("Mirvo_mfc.EXE", version.String("OriginalFilename"));
    EXPECT_EQ("Mirvo_mfc Application", version.String("ProductName"));
}

}  // namespace
