// Mirvo_vb as a row of the shared reader fixture, and what its tests add: the
// keyboard focus, presses that show nothing, and copies of the program in
// folders of their own (beside another library, or none).
#pragma once

#include "ReaderFixture.h"

namespace mirvo_vb_test {

using Strings = reader_test::Strings;
using uiauto::IconKind;

// The form runtime numbers the controls 100, 101, ... in table order; the
// buttons are found by caption, as a screen reader finds them.
constexpr int kResult = 103;
constexpr char kTitle[] = "Mirvo_vb";

inline const reader_test::ReaderProgram &MirvoVb() {
    static const reader_test::ReaderProgram reader = {
        "Mirvo_vb", "Mirvo_vb.exe", "FormrtForm", "Mirvo Form",
        {0, "Init"}, {0, "Finish"}, {0, "&Read"}, {kResult}, {},
        "Closed", "1.50|-0.25|0.00|12.00", nullptr,
        // No Exit button, and Esc does not close a form.
        {reader_test::Ending::SystemMenuClose},
        false,  // the card handle is never released
        0, reader_test::EnterKey::ClicksFocusedButton,
    };
    return reader;
}

class FormReaderTest : public reader_test::ReaderFixture {
protected:
    FormReaderTest() : ReaderFixture(MirvoVb()) {}

    const reader_test::ReaderControl &Init() const { return reader_.init; }
    const reader_test::ReaderControl &Finish() const { return reader_.finish; }
    const reader_test::ReaderControl &Read() const { return reader_.read; }

    // The control that has the keyboard focus in the program.
    HWND Focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
        return info.hwndFocus;
    }
    bool FocusComesTo(const reader_test::ReaderControl &control) const {
        return uiauto::WaitUntil([&] { return Focus() == ControlOf(control); });
    }

    // A press that shows nothing: no box, the label as it was.
    void ExpectSilentPress(const reader_test::ReaderControl &button) {
        const std::string label = Status();
        ASSERT_TRUE(Press(button)) << button.caption;
        EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 500)) << button.caption << " showed a box";
        EXPECT_EQ(label, Status());
    }

    // Starts a copy of the program, alone in `folder` of the test's prefix
    // but for the files named, without waiting for its form.
    void StartCopyIn(const std::string &folder, const Strings &besideIt = {}) {
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string copy = folder + "\\Mirvo_vb.exe";
        ASSERT_TRUE(CopyFileA(kit::KitPath("Mirvo_vb.exe").c_str(), copy.c_str(), FALSE));
        for (const std::string &file : besideIt) {
            const std::string name = file.substr(file.find_last_of('\\') + 1);
            ASSERT_TRUE(CopyFileA(file.c_str(), (folder + "\\" + name).c_str(), FALSE)) << file;
        }
        program_ = uiauto::Process::Start(copy, "", folder);
        ASSERT_TRUE(program_.Started()) << program_.Error();
    }

    // The runtime's report of a library or entry it cannot bind: the first
    // line as given, the system's text after it, the application's title,
    // the stop icon. Answers it.
    void ExpectBindingReportAndAnswer(const uiauto::MessageBoxInfo &box, const std::string &firstLine) {
        ASSERT_TRUE(box) << "expected the report \"" << firstLine << "\"";
        EXPECT_EQ(firstLine + "\n", box.text.substr(0, box.text.find('\n') + 1)) << box.text;
        EXPECT_LT(firstLine.size() + 1, box.text.size()) << "the system's text follows";
        EXPECT_EQ(kTitle, box.caption);
        EXPECT_EQ(IconKind::Stop, box.icon) << uiauto::ToString(box.icon);
        EXPECT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    }
};

}  // namespace mirvo_vb_test
