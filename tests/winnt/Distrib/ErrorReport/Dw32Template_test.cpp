// The resources compiled into the built mirvo_dw32.exe: its dialog template
// "MIRVOAPP", its icon "MAINICON" and its version.
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
    static const std::string path = kit::KitPath("mirvo_dw32.exe");
    return path;
}

TEST(Dw32Template, WindowClassCaptionStylesAndFont) {
    const uiauto::DialogTemplate dialog = reader_test::ReadTemplate(Program(), "MIRVOAPP");
    // The caption: "Mirvo ", the toolchain, " W32 Example".
    reader_test::ExpectTemplateFrame(
        dialog, {"MIRVOAPP", "Mirvo MinGW-w64 GCC W32 Example",
                 WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT |
                     DS_3DLOOK | DS_CENTER | DS_CONTEXTHELP,
                 WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP, 0, 0, 200, 83});

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
    reader_test::ExpectIconGroup(Program(), "MAINICON", {{32, 16, 4}});
    std::string error;
    EXPECT_NE("", uiauto::ReadResource(Program(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION, error)) << error;
}

}  // namespace
