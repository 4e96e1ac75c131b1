// kit_demo: the kit's main job on the simulated card, done as a user would
// after INSTALL.EXE -i -y: mirvocfg finds the card, adds it and loads the
// configuration; then each reader sample (mirvo_bc, mirvo_dw32, Mirvo_mfc on
// our dialog framework, Mirvo_vb on its form), one walk over the readers'
// rows of the tests, initialises the card and reads its weights; last, kvtmon
// reads the card live and charts its changing weights. Screenshots of the
// windows go to the folder given as the first argument.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Dw32Reader.h"
#include "KitPaths.h"
#include "MirvoBcReader.h"
#include "MirvoMfcReader.h"
#include "MirvoVbReader.h"
#include "UiAuto.h"

namespace {

// mirvocfg's controls (its resource ids).
constexpr int kConfigDeleteOrExit = IDCANCEL;
constexpr int kConfigCardList = 104;
constexpr int kConfigStatus = 105;
constexpr int kConfigLoad = 106;
constexpr int kConfigFind = 107;
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

// One reader, by its row: open KVT1 (at its start), Init, Read, show the
// weights, end it the first way its row names.
bool ReadCard(const reader_test::ReaderProgram &reader, const std::string &shotDir) {
    const std::string name = reader.name;
    std::printf("%s: open KVT1, initialise it, read its four weights\n", reader.name);
    auto program = uiauto::Process::Start(kit::KitPath(reader.file), "", kit::KitDir());
    if (!program.Started()) return Fail("cannot start " + name + ": " + program.Error());
    HWND window = reader_test::WaitForReaderWindow(program.Id(), reader, kPatienceMs);
    if (!window) {
        if (uiauto::HasMessageBox(program.Id())) AnswerBox(program.Id(), IDOK);
        return Fail(name + "'s window did not come (could it open the card?)");
    }
    // A failed open shows its box over the window.
    if (uiauto::WaitForMessageBox(program.Id(), 500)) {
        AnswerBox(program.Id(), IDOK);
        return Fail(name + " could not open the card");
    }

    if (!uiauto::PressControl(reader_test::ReaderControlIn(window, reader.init))) return Fail("cannot press Init");
    if (reader.initOkBox) {
        if (!AnswerBox(program.Id(), IDOK)) return false;
    } else if (uiauto::WaitForMessageBox(program.Id(), 1000)) {  // a success shows nothing
        AnswerBox(program.Id(), IDOK);
        return Fail(name + " could not initialise the card");
    }
    HWND status = reader_test::ReaderControlIn(window, reader.status);
    const std::string before = uiauto::TextOf(status);
    if (!uiauto::PressControl(reader_test::ReaderControlIn(window, reader.read))) return Fail("cannot press Read");
    if (!uiauto::WaitUntil([&] { return uiauto::TextOf(status) != before || uiauto::HasMessageBox(program.Id()); },
                           kPatienceMs))
        return Fail("no weights were shown");
    // A failed read shows its error box instead.
    if (uiauto::HasMessageBox(program.Id())) return AnswerBox(program.Id(), IDOK) && Fail("the read failed");
    std::printf("  weights: \"%s\"\n", uiauto::TextOf(status).c_str());
    uiauto::SaveScreenshot(window, shotDir + "\\" + name + ".bmp");

    if (reader.exit) {
        uiauto::PressControl(reader_test::ReaderControlIn(window, reader.exit));
    } else {
        uiauto::CloseFromSystemMenu(window);
    }
    if (program.WaitForExit(kPatienceMs).value_or(0xBAD) != reader.exitCode)
        return Fail(name + " did not end with " + std::to_string(reader.exitCode));
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
    if (!ConfigureCard(shotDir)) return 1;
    for (const reader_test::ReaderProgram *reader : {&mirvo_bc_test::MirvoBc(), &mirvo_dw32_test::MirvoDw32(),
                                                     &mirvo_mfc_test::MirvoMfc(), &mirvo_vb_test::MirvoVb()})
        if (!ReadCard(*reader, shotDir)) return 1;
    return WatchCardLive(shotDir) ? 0 : 1;
}
