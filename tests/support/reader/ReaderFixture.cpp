#include "ReaderFixture.h"

#include <cstdlib>
#include <cstring>

#include "ExpectBox.h"

namespace reader_test {

const char *NameOf(Ending ending) {
    switch (ending) {
    case Ending::ExitButton: return "ExitButton";
    case Ending::EscapeKey: return "EscapeKey";
    case Ending::SystemMenuClose: return "SystemMenuClose";
    case Ending::EnterKey: return "EnterKey";
    case Ending::AltX: return "AltX";
    }
    return "?";
}

namespace {

struct MainWindowSearch {
    DWORD processId;
    const ReaderProgram *reader;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param) {
    auto &search = *reinterpret_cast<MainWindowSearch *>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    if (search.reader->windowClass && uiauto::ClassOf(window) != search.reader->windowClass) return TRUE;
    if (const char *prefix = search.reader->captionPrefix) {
        char caption[512] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strncmp(caption, prefix, std::strlen(prefix)) != 0) return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

HWND WaitForReaderWindow(DWORD processId, const ReaderProgram &reader, DWORD timeoutMs) {
    MainWindowSearch search = {processId, &reader, nullptr};
    uiauto::WaitUntil(
        [&] {
            EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

HWND ReaderControlIn(HWND window, const ReaderControl &control) {
    if (control.id != 0) return uiauto::Control(window, control.id);
    return control.caption ? uiauto::FindControl(window, control.caption) : nullptr;
}

ReaderFixture::ReaderFixture(const ReaderProgram &reader) : reader_(reader) {}

void ReaderFixture::SetUp() {
    ASSERT_EQ("", simcard::InstallAndStartDriver());
    simcard::EnableTrace(TracePath());
}

void ReaderFixture::TearDown() {
    program_.Kill();
    cardCopy_.reset();
}

void ReaderFixture::StartOnly(bool watchExit) {
    const std::string path = kit::KitPath(reader_.file);
    if (!watchExit) {
        program_ = uiauto::Process::Start(path, "", kit::KitDir(), SW_SHOWNORMAL);
    } else {
        program_ = uiauto::Process::StartWatchingExit(path, "", kit::KitDir(), SW_SHOWNORMAL,
                                                      [this](HANDLE process, DWORD exitCode) {
                                                          atExit_.exitCode = exitCode;
                                                          atExit_.cardOpen = IsCardOpenIn(process);
                                                          atExit_.reached = true;
                                                      });
    }
    ASSERT_TRUE(program_.Started()) << program_.Error();
}

void ReaderFixture::Start(int showCommand) {
    program_ = uiauto::Process::Start(kit::KitPath(reader_.file), "", kit::KitDir(), showCommand);
    WaitForWindow();
}

void ReaderFixture::StartWatchingExit() {
    ASSERT_NO_FATAL_FAILURE(StartOnly(true));
    WaitForWindow();
}

void ReaderFixture::WaitForWindow() {
    ASSERT_TRUE(program_.Started()) << program_.Error();
    window_ = WaitForReaderWindow(program_.Id(), reader_, kit_test::kProgramStartTimeoutMs);
    ASSERT_NE(nullptr, window_) << reader_.name << " showed no " << (reader_.windowClass ? reader_.windowClass : "")
                                << " window";
    byCaption_.clear();
    for (const ReaderControl *control : {&reader_.init, &reader_.finish, &reader_.read, &reader_.status, &reader_.exit}) {
        if (control->id == 0 && control->caption) byCaption_[control->caption] = ReaderControlIn(window_, *control);
    }
}

HWND ReaderFixture::ControlOf(const ReaderControl &control) const {
    if (control.id == 0 && control.caption) {
        const auto found = byCaption_.find(control.caption);
        if (found != byCaption_.end()) return found->second;
    }
    return ReaderControlIn(window_, control);
}

bool ReaderFixture::Press(const ReaderControl &control) { return uiauto::PressControl(ControlOf(control)); }

HANDLE ReaderFixture::CardHandleValue() const {
    return reinterpret_cast<HANDLE>(std::strtoull(CardHandle().c_str(), nullptr, 16));
}

bool ReaderFixture::KeepCardCopy() {
    cardCopy_ = uiauto::CopyProgramHandle(program_.Handle(), CardHandleValue());
    return cardCopy_.valid();
}

bool ReaderFixture::IsCardOpenIn(HANDLE process) const {
    return cardCopy_ && uiauto::ProgramHandleRefersTo(process, CardHandleValue(), cardCopy_.get());
}

std::string ReaderFixture::Status() const {
    HWND status = ControlOf(reader_.status);
    return status ? uiauto::TextOf(status) : "<no status control>";
}

void ReaderFixture::ShowInStatus(const std::string &text) {
    SendMessageA(ControlOf(reader_.status), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ReaderFixture::ExpectReadShows(const std::string &line) {
    ShowInStatus("(before the read)");
    ASSERT_TRUE(Press(reader_.read));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return Status() == line; }))
        << "status \"" << Status() << "\", expected \"" << line << "\"";
    EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 300)) << "Read shows no message box";
}

uiauto::MessageBoxInfo ReaderFixture::PressForBox(int button) {
    ReaderControl control;
    control.id = button;
    return PressForBox(control);
}

uiauto::MessageBoxInfo ReaderFixture::PressForBox(const ReaderControl &button) {
    const std::string name = button.id ? std::to_string(button.id) : std::string(button.caption ? button.caption : "?");
    EXPECT_TRUE(Press(button)) << "button " << name;
    uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id());
    EXPECT_TRUE(box) << "no message box after button " << name;
    return box;
}

void ReaderFixture::ExpectBoxAndAnswer(const uiauto::MessageBoxInfo &box, const std::string &text,
                                       const std::string &caption, uiauto::IconKind icon) {
    ExpectBoxAndAnswer(box, text, caption, icon, window_);
}

void ReaderFixture::ExpectBoxAndAnswer(const uiauto::MessageBoxInfo &box, const std::string &text,
                                       const std::string &caption, uiauto::IconKind icon, HWND owner) {
    ASSERT_TRUE(box) << "expected the box \"" << text << "\"";
    uiauto::ExpectBox(box, {text, caption, icon, {IDOK}, owner});
    if (box.buttons.size() == 1) {
        EXPECT_EQ("OK", box.buttons[0].text);
    }
    EXPECT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK)) << "the box did not close on OK";
}

bool ReaderFixture::End(Ending ending) {
    switch (ending) {
    case Ending::ExitButton: return Press(reader_.exit);
    case Ending::EscapeKey: return uiauto::PressEscape(window_);
    case Ending::SystemMenuClose: return uiauto::CloseFromSystemMenu(window_);
    case Ending::EnterKey: return uiauto::PressEnter(window_);
    case Ending::AltX: return uiauto::PressAltKey(window_, 'x');
    }
    return false;
}

DWORD ReaderFixture::ExitCode(DWORD timeoutMs) { return program_.WaitForExit(timeoutMs).value_or(0xBAD); }

std::string ReaderFixture::TracePath() const { return std::string("C:\\") + reader_.name + "-trace.log"; }
Strings ReaderFixture::Trace() const { return simcard::ReadTrace(TracePath()); }
Strings ReaderFixture::Entries() const { return simcard::TracedEntries(TracePath()); }

std::string ReaderFixture::CardHandle() const {
    const Strings trace = Trace();
    const std::string open = "MirvoOpen(\"KVT1\") = ";
    if (trace.empty() || trace[0].compare(0, open.size(), open) != 0) return "<no MirvoOpen(\"KVT1\") first>";
    return trace[0].substr(open.size(), 10);
}

std::string ReaderCaseName(const ::testing::TestParamInfo<const ReaderProgram *> &info) { return info.param->name; }

std::string ReaderEndingName(const ::testing::TestParamInfo<ReaderEnding> &info) {
    return NameOf(info.param.ending);
}

::testing::internal::ParamGenerator<ReaderEnding> ReaderEndings(const ReaderProgram &reader) {
    std::vector<ReaderEnding> endings;
    for (Ending ending : reader.endings) endings.push_back({&reader, ending});
    return ::testing::ValuesIn(endings);
}

}  // namespace reader_test
