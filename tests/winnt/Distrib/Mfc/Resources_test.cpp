// The resources compiled into the built Mirvo_mfc.exe: dialog template 102,
// icon group 128 and the version resource.
#include <gtest/gtest.h>

#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"
#include "MirvoMfcReader.h"
#include "ProgramResources.h"
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

// The dialog manager's own class.
TEST(MfcResources, Template102WindowStylesTitleAndFont) {
    reader_test::ExpectTemplateFrame(reader_test::ReadTemplate(Program(), MAKEINTRESOURCEA(102)),
                                     {"", mirvo_mfc_test::MfcTitle(), 0x90C800C0, 0x00040000, 0, 0, 201, 77});
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
    reader_test::ExpectTemplateControls(reader_test::ReadTemplate(Program(), MAKEINTRESOURCEA(102)), expected);
}

TEST(MfcResources, Icon128HasA32And16PixelImageOf16Colours) {
    reader_test::ExpectIconGroup(Program(), MAKEINTRESOURCEA(128), {{32, 16, 4}, {16, 16, 4}});
}

TEST(MfcResources, VersionIs1001WithItsNamesAndTheDebugFlag) {
    const uiauto::VersionInfo version(Program());
    reader_test::ExpectFixedVersion(version, 0x00010000, 0x00000001);
    ASSERT_TRUE(version.Found());
    const VS_FIXEDFILEINFO &fixed = version.Fixed();
    EXPECT_TRUE(fixed.dwFileFlags & fixed.dwFileFlagsMask & VS_FF_DEBUG) << "the debug flag";
    EXPECT_EQ("1, 0, 0, 1", version.String("FileVersion"));
    EXPECT_EQ("1, 0, 0, 1", version.String("ProductVersion"));
    EXPECT_EQ("Mirvo_mfc", version.String("InternalName"));
    EXPECT_EQ("Mirvo_mfc.EXE", version.String("OriginalFilename"));
    EXPECT_EQ("Mirvo_mfc Application", version.String("ProductName"));
}

}  // namespace
