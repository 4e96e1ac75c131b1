// A kit's zip, as its user meets it. The kit folder's INSTALL.EXE -i -y
// installs nothing simulated: the card's own files belong beside it. The
// simulation installs from simcard\ with the installer there, card slot 0 is
// configured and the driver restarted (what
// mirvocfg's "Find new cards" and "Load config" leave behind), then the
// mirvo_bc.exe built from the zip's samples reads the simulated card.
// build-from-zip.sh unpacks and builds, and passes the Windows paths in
// KIT_ZIP_DIR (the unpacked kit folder) and KIT_ZIP_READER (the reader).
// The cases run in this order, in one prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SimCard.h"
#include "UiAuto.h"

namespace {

constexpr int kInitCard = 1000;
constexpr int kReadCard = 1002;
constexpr int kStatus = 1003;

std::string Environment(const char *name) {
    const char *value = std::getenv(name);
    return value ? value : "";
}

std::string FolderOf(const std::string &path) { return path.substr(0, path.find_last_of('\\')); }

std::string Contents(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<cannot read " + path + ">";
}

std::string SystemDir() {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return system;
}

bool Exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ZipKit, TheKitFoldersInstallerFindsNoSimulatedCard) {
    const std::string kit = Environment("KIT_ZIP_DIR");
    ASSERT_FALSE(kit.empty()) << "run by build-from-zip.sh, which sets KIT_ZIP_DIR";
    ASSERT_FALSE(Exists(kit + "\\Mirvo.dll") || Exists(kit + "\\Mirvo.sys")) << "a card library or driver in the kit folder";

    ASSERT_EQ("", simcard::RunInstaller(kit, "-i -y"));
    EXPECT_FALSE(Exists(SystemDir() + "\\Mirvo.dll")) << "a Mirvo.dll was installed from the kit folder";
    EXPECT_FALSE(Exists(simcard::DriversDir() + "\\Mirvo.sys")) << "a Mirvo.sys was installed from the kit folder";
    EXPECT_EQ("", simcard::RunInstaller(kit, "-x -y"));  // the service it registered goes again
}

TEST(ZipKit, TheSimulationInstallsFromItsFolderAndTheReaderBuiltFromTheZipReadsIt) {
    const std::string kit = Environment("KIT_ZIP_DIR");
    const std::string reader = Environment("KIT_ZIP_READER");
    ASSERT_FALSE(kit.empty() || reader.empty()) << "run by build-from-zip.sh, which sets KIT_ZIP_DIR and KIT_ZIP_READER";

    const std::string simulation = kit + "\\simcard";
    ASSERT_EQ("", simcard::RunInstaller(simulation, "-i -y"));
    EXPECT_EQ(Contents(simulation + "\\Mirvo.dll"), Contents(SystemDir() + "\\Mirvo.dll"))
        << "the zip's simulated Mirvo.dll is installed";
    EXPECT_EQ(Contents(simulation + "\\Mirvo.sys"), Contents(simcard::DriversDir() + "\\Mirvo.sys"))
        << "the zip's simulated Mirvo.sys is installed";

    ASSERT_EQ("", simcard::ConfigureFirstCardAndReload());
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0.0f, 12.0f);
    const char trace[] = "C:\\zip-reader-trace.log";
    simcard::EnableTrace(trace);

    // Started beside nothing but itself: Mirvo.dll comes from the system folder.
    auto program = uiauto::Process::Start(reader, "", FolderOf(reader));
    ASSERT_TRUE(program.Started()) << program.Error();
    HWND window = uiauto::WaitForTopWindow(program.Id(), "MIRVOTEST", nullptr, kit_test::kProgramStartTimeoutMs);
    ASSERT_NE(nullptr, window) << "the reader built from the zip showed no window";
    ASSERT_TRUE(uiauto::WaitForControlText(window, kStatus, "closed"));

    ASSERT_TRUE(uiauto::PressButton(window, kInitCard));
    uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program.Id());
    ASSERT_TRUE(box) << "no message box after \"Init Card\"";
    EXPECT_EQ("Information", box.caption) << box.text;
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));

    ASSERT_TRUE(uiauto::PressButton(window, kReadCard));
    EXPECT_TRUE(uiauto::WaitForControlText(window, kStatus, "1.500 -0.250 0.000 12.000"))
        << "shows: " << uiauto::ControlText(window, kStatus);

    ASSERT_TRUE(uiauto::PressButton(window, IDCANCEL));
    EXPECT_EQ(0u, program.WaitForExit().value_or(0xBAD));
    const std::vector<std::string> expected{"MirvoOpen", "MirvoInit", "MirvoGetCurrentWeight4"};
    EXPECT_EQ(expected, simcard::TracedEntries(trace)) << "the installed library served the reader";
}

}  // namespace
