// The resources compiled into the built mirvocfg.exe: its dialog template
// "MIRVOCFG", control by control, and its version.
#include <gtest/gtest.h>

#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"
#include "ProgramResources.h"
#include "TemplateControls.h"
#include "VersionInfo.h"

namespace {

using reader_test::kButtonClass;
using reader_test::kNoId;
using reader_test::kStaticClass;
constexpr WORD kListBoxClass = 0x0083;

const std::string &Program() {
    static const std::string path = kit::KitPath("mirvocfg.exe");
    return path;
}

TEST(ConfigResources, TemplateClassCaptionStylesAndFont) {
    reader_test::ExpectTemplateFrame(reader_test::ReadTemplate(Program(), "MIRVOCFG"),
                                     {"MIRVOCFG", "4 channel loadcell card configuration", 0x90CA28C4, 0x401, 0, 2,
                                      264, 145});
}

// No static carries WS_GROUP, and the icon keeps its 16 by 16 size.
TEST(ConfigResources, TenControlsInTabOrder) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD button = child | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
    const DWORD text = child | SS_LEFT;
    const DWORD list = child | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS;
    const std::vector<reader_test::TemplateControl> expected = {
        {kNoId, kStaticClass, "&Card List", 12, 4, 60, 8, text},
        {104, kListBoxClass, "", 8, 16, 184, 100, list},
        {102, kButtonClass, "&Delete card", 200, 16, 52, 16, button},
        {103, kButtonClass, "&Edit card", 200, 36, 52, 16, button},
        {IDCANCEL, kButtonClass, "E&xit", 200, 96, 52, 18, button},
        {kNoId, kStaticClass, nullptr, 144, 128, 104, 8, text},
        {kNoId, kStaticClass, "MAINICON", 120, 120, 16, 16, child | SS_ICON},
        {106, kButtonClass, "&Load config", 200, 56, 52, 16, button},
        {105, kStaticClass, "Configuration is %s loaded", 8, 124, 100, 8, text},
        {107, kButtonClass, "&Find new cards", 200, 76, 52, 16, button},
    };
    reader_test::ExpectTemplateControls(reader_test::ReadTemplate(Program(), "MIRVOCFG"), expected);
}

TEST(ConfigResources, Version101InBritishEnglish) {
    const uiauto::VersionInfo version(Program());
    reader_test::ExpectFixedVersion(version, 0x00010000, 0x00010000);
    EXPECT_EQ(0x0809, version.Language()) << "English (United Kingdom)";
    EXPECT_EQ("Configuration program for MIRVO", version.String("FileDescription"));
    EXPECT_EQ("1.01", version.String("FileVersion"));
    EXPECT_EQ("MIRVOCFG", version.String("InternalName"));
    EXPECT_EQ("mirvocfg.exe", version.String("OriginalFilename"));
    EXPECT_NE('<', version.String("CompanyName")[0]);
    EXPECT_NE('<', version.String("LegalCopyright")[0]);
}

}  // namespace
