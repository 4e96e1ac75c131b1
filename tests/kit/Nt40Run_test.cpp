// The 32-bit kit on a Windows that says it is NT 4.0 (Wine reports the
// version it is told to): INSTALL.EXE -i -y installs, mirvocfg finds the card,
// adds it and loads the configuration, a reader sample initialises the card
// and reads it, INSTALL.EXE -x -y removes it all. One case per reader sample,
// each from a fresh prefix. The programs' own platform checks must let NT 4.0
// in; what they import is checked by check-kit.sh, since Wine exports every
// function whatever version it reports.
#include <windows.h>

#include <fstream>
#include <iterator>

#include "../winnt/Distrib/Dialog/MirvoBcReader.h"
#include "../winnt/Distrib/ErrorReport/Dw32Reader.h"
#include "../winnt/Distrib/Form/MirvoVbReader.h"
#include "../winnt/Distrib/Mfc/MirvoMfcReader.h"
#include "Registry.h"
#include "ServiceManager.h"

namespace {

using reader_test::ReaderProgram;

constexpr DWORD kPatienceMs = 60000;
// mirvocfg's controls.
constexpr int kConfigExit = IDCANCEL;
constexpr int kConfigStatus = 105;
constexpr int kConfigLoad = 106;
constexpr int kConfigFind = 107;

std::string SystemDir() {
    char dir[MAX_PATH + 1] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

bool Exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ServiceExists() {
    kit::ServiceHandle manager = testsvc::OpenServiceManager(SC_MANAGER_CONNECT);
    kit::ServiceHandle service(OpenServiceA(manager.get(), "Mirvo", SERVICE_QUERY_STATUS));
    return service.valid();
}

// What `ver` prints in this prefix, once Wine reports NT 4.0.
std::string VersionLine() {
    const char out[] = "C:\\nt40-ver.txt";
    auto cmd = uiauto::Process::Start("C:\\windows\\system32\\cmd.exe", std::string("/c ver > ") + out);
    if (!cmd.Started() || cmd.WaitForExit(kPatienceMs).value_or(1) != 0) return "<cmd /c ver failed>";
    std::ifstream file(out);
    std::string text(std::istreambuf_iterator<char>(file), {});
    text.erase(0, text.find_first_not_of("\r\n"));
    return text.substr(0, text.find_first_of("\r\n"));
}

class Nt40Run : public reader_test::ReaderFixture, public ::testing::WithParamInterface<const ReaderProgram *> {
protected:
    Nt40Run() : ReaderFixture(*GetParam()) {}

    void SetUp() override {
        ASSERT_EQ(ERROR_SUCCESS, testreg::WriteString("Software\\Wine", "Version", "nt40", HKEY_CURRENT_USER));
        const std::string version = VersionLine();
        ASSERT_NE(std::string::npos, version.find("4.0.1381")) << "Windows says: " << version;

        ASSERT_NO_FATAL_FAILURE(RunInstaller("-i -y"));
        ASSERT_TRUE(Exists(SystemDir() + "\\Mirvo.dll")) << "INSTALL.EXE did not install the card library";
        ASSERT_TRUE(ServiceExists()) << "INSTALL.EXE did not register the driver";
        ASSERT_NO_FATAL_FAILURE(ConfigureTheCard());

        simcard::SetWeights("KVT1", 1.5f, -0.25f, 0.0f, 12.0f);
        simcard::EnableTrace(TracePath());
    }

    void TearDown() override {
        ReaderFixture::TearDown();
        // A running driver keeps Mirvo.sys in use under Wine: stop it first.
        EXPECT_EQ("", simcard::StopDriver());
        RunInstaller("-x -y");
        EXPECT_FALSE(ServiceExists()) << "INSTALL.EXE -x -y left the service";
        EXPECT_FALSE(Exists(SystemDir() + "\\Mirvo.dll")) << "INSTALL.EXE -x -y left the card library";
    }

    static void RunInstaller(const char *options) {
        auto installer = uiauto::Process::Start(kit::KitPath("INSTALL.EXE"), options, kit::KitDir());
        ASSERT_TRUE(installer.Started()) << installer.Error();
        ASSERT_EQ(0u, installer.WaitForExit(kPatienceMs).value_or(0xBAD)) << "INSTALL.EXE " << options;
    }

    // "Find new cards", Yes, "Load config", Exit: as a person sets up the card.
    static void ConfigureTheCard() {
        auto config = uiauto::Process::Start(kit::KitPath("mirvocfg.exe"), "", kit::KitDir());
        ASSERT_TRUE(config.Started()) << config.Error();
        HWND window = uiauto::WaitForTopWindow(config.Id(), "MIRVOCFG", nullptr, kPatienceMs);
        if (!window) {
            uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(config.Id(), 1000);
            FAIL() << "mirvocfg showed no window" << (box ? ", but the box \"" + box.caption + "\": " + box.text : "");
        }
        ASSERT_TRUE(uiauto::PressButton(window, kConfigFind));
        uiauto::MessageBoxInfo found = uiauto::WaitForMessageBox(config.Id(), kPatienceMs);
        ASSERT_TRUE(found) << "\"Find new cards\" asked nothing";
        ASSERT_TRUE(uiauto::AnswerMessageBox(found.window, IDYES));
        ASSERT_TRUE(uiauto::PressButton(window, kConfigLoad));
        ASSERT_TRUE(uiauto::WaitForControlText(window, kConfigStatus, "Configuration is  loaded", kPatienceMs))
            << uiauto::ControlText(window, kConfigStatus);
        ASSERT_TRUE(uiauto::PressButton(window, kConfigExit));
        ASSERT_EQ(0u, config.WaitForExit(kPatienceMs).value_or(0xBAD)) << "mirvocfg did not end";
    }
};

TEST_P(Nt40Run, InstallConfigureInitialiseReadAndUninstall) {
    ASSERT_NO_FATAL_FAILURE(Start());
    if (reader_.initOkBox) {
        ExpectBoxAndAnswer(PressForBox(reader_.init), reader_.initOkBox, "Information", uiauto::IconKind::Information);
    } else {
        ASSERT_TRUE(Press(reader_.init));
        EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 1000)) << "Init failed";
    }
    ASSERT_TRUE(Press(reader_.read));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return Status() == reader_.readShows; }))
        << "status \"" << Status() << "\", expected \"" << reader_.readShows << "\"";
    ASSERT_TRUE(uiauto::CloseFromSystemMenu(window_));
    EXPECT_EQ(reader_.exitCode, ExitCode());
}

INSTANTIATE_TEST_SUITE_P(Readers, Nt40Run,
                         ::testing::Values(&mirvo_bc_test::MirvoBc(), &mirvo_dw32_test::MirvoDw32(),
                                           &mirvo_mfc_test::MirvoMfc(), &mirvo_vb_test::MirvoVb()),
                         reader_test::ReaderCaseName);

}  // namespace
