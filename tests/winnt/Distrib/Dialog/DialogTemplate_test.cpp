// The resources compiled into the built mirvo_bc.exe: its dialog template
// "MIRVOTEST" and its icon "MAINICON".
#include <gtest/gtest.h>

#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"
#include "ProgramResources.h"
#include "TemplateControls.h"

namespace {

using reader_test::kButtonClass;
using reader_test::kNoId;
using reader_test::kStaticClass;

const std::string &Program() {
    static const std::string path = kit::KitPath("mirvo_bc.exe");
    return path;
}

uiauto::DialogTemplate ReadTemplate() { return reader_test::ReadTemplate(Program(), "MIRVOTEST"); }

// Not WS_VISIBLE: start-up shows the window. The caption is "KVT Example "
// and the toolchain.
TEST(DialogTemplate, WindowClassCaptionStylesAndFont) {
    reader_test::ExpectTemplateFrame(
        ReadTemplate(), {"MIRVOTEST", "KVT Example MinGW-w64 GCC " + std::to_string(__GNUC__),
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 186, 85});
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
    reader_test::ExpectIconGroup(Program(), "MAINICON", {{32, 16, 4}});
}

TEST(DialogTemplate, CarriesAVersion) {
    std::string error;
    EXPECT_NE("", uiauto::ReadResource(Program(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION, error)) << error;
}

}  // namespace
