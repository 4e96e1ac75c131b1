// kit_demo: the kit's main job on the simulated card, done as a user would
// after INSTALL.EXE -i -y: mirvocfg finds the card, adds it and loads the
// configuration; mirvo_bc then initialises the card and reads its weights,
// mirvo_dw32 reads them again in its fixed columns, Mirvo_mfc on our dialog
// framework and Mirvo_vb on its form; last, kvtmon reads the card live and
// charts its changing weights. Screenshots of the windows go to the folder
// given as the first argument.
#include <windows.h>

#include <cstdio>
#include <string>

#include "KitPaths.h"
#include "UiAuto.h"

namespace {

// The controls the demo presses (the programs' resource ids).
constexpr int kConfigDeleteOrExit = IDCANCEL;
constexpr int kConfigCardList = 104;
constexpr int kConfigStatus = 105;
constexpr int kConfigLoad = 106;
constexpr int kConfigFind = 107;
constexpr int kReaderInit = 1000;
constexpr int kReaderRead = 1002;
constexpr int kReaderStatus = 1003;
constexpr int kErrorReportInit = 102;
constexpr int kErrorReportRead = 103;
constexpr int kErrorReportStatus = 201;
// Mirvo_vb's controls, numbered by the form runtime in table order.
constexpr int kFormInit = 100;
constexpr int kFormRead = 102;
constexpr int kFormResult = 103;
constexpr int kMfcInit = 1002;
constexpr int kMfcRead = 1004;
constexpr int kMfcStatus = 1001;
// kvtmon's controls (winnt/Tools/kvtmon/resource.h).
constexpr int kMonitorOpen = 102;
constexpr int kMonitorInit = 103;
constexpr int kMonitorStart = 105;
constexpr int kMonitorState = 106;
constexpr int kMonitorFirstValue = 110;
constexpr int kMonitorRate = 174;
constexpr DWORD kPatienceMs = 20000;

bool Fail(const std::string &what) {
    std::printf("kit_demo: %s\n", what.c_str());
    return false;
}

bool AnswerBox(DWORD processId, int button) {
    uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(processId, kPatienceMs);
    if (!box) return Fail("no message box came");
    std::printf("  box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
    return uiauto::AnswerMessageBox(box.window, button);
}

bool ConfigureCard(const std::string &shotDir) {
    std::printf("mirvocfg: find the card, add it, load the configuration\n");
    auto program = uiauto::Process::Start(kit::KitPath("mirvocfg.exe"), "", kit::KitDir());
    if (!program.Started()) return Fail("cannot start mirvocfg.exe: " + program.Error());
    HWND window = uiauto::WaitForTopWindow(program.Id(), "MIRVOCFG", nullptr, kPatienceMs);
    if (!window) return Fail("mirvocfg's window did not come");

    if (!uiauto::PressButton(window, kConfigFind)) return Fail("cannot press \"Find new cards\"");
    if (!AnswerBox(program.Id(), IDYES)) return false;
    if (!uiauto::PressButton(window, kConfigLoad)) return Fail("cannot press \"Load config\"");
    if (!uiauto::WaitForControlText(window, kConfigStatus, "Configuration is  loaded", kPatienceMs))
        return Fail("the configuration was not loaded: " + uiauto::ControlText(window, kConfigStatus));
    std::printf("  status: %s\n", uiauto::ControlText(window, kConfigStatus).c_str());
    std::printf("  slot 0: %s\n", uiauto::ListBoxLines(uiauto::Control(window, kConfigCardList)).at(0).c_str());
    uiauto::SaveScreenshot(window, shotDir + "\\mirvocfg.bmp");

    uiauto::PressButton(window, kConfigDeleteOrExit);
    if (program.WaitForExit(kPatienceMs).value_or(1) != 0) return Fail("mirvocfg did not end");
    return true;
}

bool ReadCard(const std::string &shotDir) {
    std::printf("mirvo_bc: open KVT1, initialise it, read its four weights\n");
    auto program = uiauto::Process::Start(kit::KitPath("mirvo_bc.exe"), "", kit::KitDir());
    if (!program.Started()) return Fail("cannot start mirvo_bc.exe: " + program.Error());
    HWND window = uiauto::WaitForTopWindow(program.Id(), "MIRVOTEST", nullptr, kPatienceMs);
    if (!window) return Fail("mirvo_bc's window did not come");
    if (uiauto::HasMessageBox(program.Id()) && !AnswerBox(program.Id(), IDOK)) return false;
    if (!uiauto::WaitUntil([&] { return !program.Running() || uiauto::ControlText(window, kReaderStatus) == "closed"; }))
        return Fail("mirvo_bc did not start");
    if (!program.Running()) return Fail("mirvo_bc could not open the card");

    if (!uiauto::PressButton(window, kReaderInit)) return Fail("cannot press \"Init Card\"");
    if (!AnswerBox(program.Id(), IDOK)) return false;
    if (!uiauto::PressButton(window, kReaderRead)) return Fail("cannot press \"Read Card\"");
    if (!uiauto::WaitUntil([&] { return !uiauto::ControlText(window, kReaderStatus).empty(); }))
        return Fail("no weights were shown");
    std::printf("  weights: %s\n", uiauto::ControlText(window, kReaderStatus).c_str());
    uiauto::SaveScreenshot(window, shotDir + "\\mirvo_bc.bmp");

    uiauto::PressButton(window, IDCANCEL);
    if (program.WaitForExit(kPatienceMs).value_or(1) != 0) return Fail("mirvo_bc did not end with 0");
    return true;
}

bool ReadCardInColumns(const std::string &shotDir) {
    std::printf("mirvo_dw32: open KVT1, initialise it, read its four weights in columns\n");
    auto program = uiauto::Process::Start(kit::KitPath("mirvo_dw32.exe"), "", kit::KitDir());
    if (!program.Started()) return Fail("cannot start mirvo_dw32.exe: " + program.Error());
    HWND window = uiauto::WaitForTopWindow(program.Id(), "MIRVOAPP", nullptr, kPatienceMs);
    if (!window) {
        if (uiauto::HasMessageBox(program.Id())) AnswerBox(program.Id(), IDOK);
        return Fail("mirvo_dw32's window did not come");
    }
    if (!uiauto::PressButton(window, kErrorReportInit)) return Fail("cannot press \"Init\"");
    if (!AnswerBox(program.Id(), IDOK)) return false;
    if (!uiauto::PressButton(window, kErrorReportRead)) return Fail("cannot press \"Read\"");
    if (!uiauto::WaitUntil([&] {
            return uiauto::ControlText(window, kErrorReportStatus) != "status" || uiauto::HasMessageBox(program.Id());
        }, kPatienceMs))
        return Fail("no weights were shown");
    // A failed read shows its error box instead.
    if (uiauto::HasMessageBox(program.Id())) return AnswerBox(program.Id(), IDOK) && Fail("the read failed");
    std::printf("  weights: \"%s\"\n", uiauto::ControlText(window, kErrorReportStatus).c_str());
    uiauto::SaveScreenshot(window, shotDir + "\\mirvo_dw32.bmp");

    uiauto::PressButton(window, IDCANCEL);
    if (program.WaitForExit(kPatienceMs).value_or(1) != 0) return Fail("mirvo_dw32 did not end with 0");
    return true;
}

bool ReadCardInForm(const std::string &shotDir) {
    std::printf("Mirvo_vb: open KVT1 at load, initialise it, read its four weights\n");
    auto program = uiauto::Process::Start(kit::KitPath("Mirvo_vb.exe"), "", kit::KitDir());
    if (!program.Started()) return Fail("cannot start Mirvo_vb.exe: " + program.Error());
    HWND form = uiauto::WaitForTopWindow(program.Id(), nullptr, "Mirvo Form", kPatienceMs);
    if (!form) {
        if (uiauto::HasMessageBox(program.Id())) AnswerBox(program.Id(), IDOK);
        return Fail("Mirvo_vb's form did not come");
    }

    if (!uiauto::PressButton(form, kFormInit)) return Fail("cannot press \"Init\"");
    if (uiauto::WaitForMessageBox(program.Id(), 1000)) {  // a success shows nothing
        AnswerBox(program.Id(), IDOK);
        return Fail("Mirvo_vb could not initialise the card");
    }
    if (!uiauto::PressButton(form, kFormRead)) return Fail("cannot press \"Read\"");
    if (!uiauto::WaitUntil([&] { return uiauto::ControlText(form, kFormResult) != "Closed"; }))
        return Fail("no weights were shown");
    std::printf("  weights: %s\n", uiauto::ControlText(form, kFormResult).c_str());
    uiauto::SaveScreenshot(form, shotDir + "\\Mirvo_vb.bmp");

    uiauto::CloseFromSystemMenu(form);
    if (program.WaitForExit(kPatienceMs).value_or(1) != 0) return Fail("Mirvo_vb did not end with 0");
    return true;
}

bool ReadCardOnTheFramework(const std::string &shotDir) {
    std::printf("Mirvo_mfc: open KVT1, initialise it, read its four weights\n");
    auto program = uiauto::Process::Start(kit::KitPath("Mirvo_mfc.exe"), "", kit::KitDir());
    if (!program.Started()) return Fail("cannot start Mirvo_mfc.exe: " + program.Error());
    const std::string title = "kvt Example - MinGW GCC " + std::to_string(__GNUC__) + ", dialogframework";
    HWND window = uiauto::WaitForTopWindow(program.Id(), "#32770", title.c_str(), kPatienceMs);
    if (!window) return Fail("Mirvo_mfc's dialog did not come (could it open the card?)");

    if (!uiauto::PressButton(window, kMfcInit)) return Fail("cannot press \"Init\"");
    if (!AnswerBox(program.Id(), IDOK)) return false;
    if (!uiauto::PressButton(window, kMfcRead)) return Fail("cannot press \"Read\"");
    if (!uiauto::WaitUntil([&] { return !uiauto::ControlText(window, kMfcStatus).empty(); }))
        return Fail("no weights were shown");
    std::printf("  weights: %s\n", uiauto::ControlText(window, kMfcStatus).c_str());
    uiauto::SaveScreenshot(window, shotDir + "\\Mirvo_mfc.bmp");

    uiauto::PressButton(window, IDCANCEL);
    if (program.WaitForExit(kPatienceMs).value_or(1) != 0) return Fail("Mirvo_mfc did not end with 0");
    return true;
}

bool PressForState(HWND window, int button, const char *state) {
    if (!uiauto::PressButton(window, button)) return Fail(std::string("cannot press for \"") + state + "\"");
    if (!uiauto::WaitForControlText(window, kMonitorState, state, kPatienceMs))
        return Fail("kvtmon shows \"" + uiauto::ControlText(window, kMonitorState) + "\", not \"" + state + "\"");
    return true;
}

bool WatchCardLive(const std::string &shotDir) {
    std::printf("kvtmon: open KVT1, initialise it, read it live for eight seconds\n");
    auto program = uiauto::Process::Start(kit::KitPath("kvtmon.exe"), "", kit::KitDir());
    if (!program.Started()) return Fail("cannot start kvtmon.exe: " + program.Error());
    HWND window = uiauto::WaitForTopWindow(program.Id(), "KVTMON", nullptr, kPatienceMs);
    if (!window) return Fail("kvtmon's window did not come");
    if (!PressForState(window, kMonitorOpen, "open") || !PressForState(window, kMonitorInit, "initialised") ||
        !PressForState(window, kMonitorStart, "reading"))
        return false;
    // The simulated card's signal: four channels rising and falling slowly.
    Sleep(8000);
    std::printf("  weights:");
    for (int channel = 0; channel < 4; ++channel)
        std::printf(" %s", uiauto::ControlText(window, kMonitorFirstValue + channel).c_str());
    std::printf(", %s\n", uiauto::ControlText(window, kMonitorRate).c_str());
    uiauto::SaveScreenshot(window, shotDir + "\\kvtmon.bmp");

    uiauto::CloseFromSystemMenu(window);
    if (program.WaitForExit(kPatienceMs).value_or(1) != 0) return Fail("kvtmon did not end with 0");
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string shotDir = argc > 1 ? argv[1] : ".";
    return ConfigureCard(shotDir) && ReadCard(shotDir) && ReadCardInColumns(shotDir) &&
                   ReadCardOnTheFramework(shotDir) && ReadCardInForm(shotDir) && WatchCardLive(shotDir)
               ? 0
               : 1;
}
