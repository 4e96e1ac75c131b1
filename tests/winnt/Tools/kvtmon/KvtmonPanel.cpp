#include "KvtmonPanel.h"

#include <cstdlib>

#include "KitPaths.h"

namespace kvtmon_test {

const reader_test::ReaderProgram &Kvtmon() {
    using reader_test::Ending;
    static const reader_test::ReaderProgram row{
        "kvtmon", "kvtmon.exe", "KVTMON", "KVT monitor",
        {IDC_INIT}, {IDC_FINISH}, {IDC_START}, {IDC_STATE}, {},
        "closed", "", nullptr,
        {Ending::SystemMenuClose}, true, 0, reader_test::EnterKey::DoesNothing};
    return row;
}

const reader_test::ReaderProgram &ProbedKvtmon() {
    static const std::string path = kit::WindowsPathFromHost(KVTMON_PROBE_HOST);
    static const reader_test::ReaderProgram row = [] {
        reader_test::ReaderProgram probed = Kvtmon();
        probed.file = path.c_str();
        return probed;
    }();
    return row;
}

double LeadingNumber(const std::string &text) { return std::strtod(text.c_str(), nullptr); }

::testing::AssertionResult KvtmonTest::WaitForField(int id, const std::string &text, DWORD timeoutMs) const {
    if (uiauto::WaitForControlText(window_, id, text, timeoutMs)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "field " << id << " shows \"" << Field(id) << "\", expected \"" << text
                                         << "\"";
}

void KvtmonTest::PressFor(int button, const std::string &state) {
    ASSERT_TRUE(uiauto::PressButton(window_, button)) << "button " << button;
    ASSERT_TRUE(WaitForState(state));
}

void KvtmonTest::OpenInitAndRead() {
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_INIT, "initialised"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_START, "reading"));
}

std::uint64_t KvtmonTest::Readings() const {
    return static_cast<std::uint64_t>(LeadingNumber(Field(IDC_COUNT)));
}

std::uint64_t KvtmonTest::SettledReadings() const {
    // The panel takes the last readings from its queue at its next refresh.
    std::uint64_t count = Readings();
    uiauto::WaitUntil([&] {
        Sleep(200);
        const std::uint64_t now = Readings();
        return std::exchange(count, now) == now;
    });
    return count;
}

Strings KvtmonTest::Values() const { return StatsColumn(IDC_VALUE1); }

Strings KvtmonTest::StatsColumn(int firstId) const {
    Strings column;
    for (int channel = 0; channel < 4; ++channel) column.push_back(Field(firstId + channel));
    return column;
}

void KvtmonTest::RecordTo(const std::string &path) {
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_RECORD));
    HWND dialog = uiauto::WaitForTopWindow(program_.Id(), "#32770", "Record to");
    ASSERT_NE(nullptr, dialog) << "no Save dialog";
    // The file name's edit: edt1, or the one inside the name's combo box (cmb13).
    constexpr int kFileNameEdit = 0x480, kFileNameCombo = 0x47C;
    HWND name = uiauto::Control(dialog, kFileNameEdit);
    if (!name) name = uiauto::FindControlOfClass(uiauto::Control(dialog, kFileNameCombo), "Edit");
    ASSERT_NE(nullptr, name) << "no file name field";
    DWORD_PTR done = 0;
    SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG,
                        uiauto::kDefaultTimeoutMs, &done);
    ASSERT_TRUE(uiauto::PressButton(dialog, IDOK));
    ASSERT_TRUE(uiauto::WaitForWindowGone(dialog))
        << "the Save dialog stays; a box: " << uiauto::WaitForMessageBox(program_.Id(), 100).text;
}

void KvtmonTest::StopRecording() {
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_RECORD));
    ASSERT_TRUE(WaitForField(IDC_RECORD, "R&ecord..."));
}

uiauto::Pixels KvtmonTest::ChartPixels() const {
    RECT area{};
    GetWindowRect(uiauto::Control(window_, IDC_CHART), &area);
    return uiauto::CaptureScreen(area);
}

}  // namespace kvtmon_test
