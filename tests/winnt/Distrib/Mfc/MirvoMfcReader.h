// Mirvo_mfc as a row of the shared reader fixture: its dialog, control ids
// and what its ways out do.
#pragma once

#include <string>

#include "ReaderFixture.h"

namespace mirvo_mfc_test {

constexpr int kExit = IDCANCEL;
constexpr int kStatus = 1001;
constexpr int kInit = 1002;
constexpr int kFinish = 1003;
constexpr int kRead = 1004;

using reader_test::Ending;

// The dialog's title: the toolchain that built the tests built the program.
inline std::string MfcTitle() {
    return "kvt Example - MinGW GCC " + std::to_string(__GNUC__) + ", dialogframework";
}

inline const reader_test::ReaderProgram &MirvoMfc() {
    static const reader_test::ReaderProgram reader = {
        "Mirvo_mfc", "Mirvo_mfc.exe", "#32770", "kvt Example - ",
        {kInit}, {kFinish}, {kRead}, {kStatus}, {kExit},
        "", "1.500 -0.250 0.000 12.000", "Initialised OK",
        // Enter clicks the focused button, Exit at start.
        {Ending::ExitButton, Ending::EscapeKey, Ending::SystemMenuClose, Ending::EnterKey, Ending::AltX},
        false,  // nothing is released at exit
        0, reader_test::EnterKey::ClicksFocusedButton,
    };
    return reader;
}

class MfcTest : public reader_test::ReaderFixture {
protected:
    MfcTest() : ReaderFixture(MirvoMfc()) {}
};

}  // namespace mirvo_mfc_test
