// mirvo_dw32 as a row of the shared reader fixture, and what its own cases
// share: the ids of its template.
#pragma once

#include "ReaderFixture.h"

namespace mirvo_dw32_test {

constexpr int kInit = 102;
constexpr int kRead = 103;
constexpr int kFinish = 104;
constexpr int kStatus = 201;
constexpr int kExit = IDCANCEL;

using reader_test::Ending;
using reader_test::Strings;
using uiauto::IconKind;

inline const reader_test::ReaderProgram &MirvoDw32() {
    static const reader_test::ReaderProgram reader = {
        "mirvo_dw32", "mirvo_dw32.exe", "MIRVOAPP", "Mirvo ",
        {kInit}, {kFinish}, {kRead}, {kStatus}, {kExit},
        "status", "   1.500  -0.250   0.000  12.000", "Initialised OK",
        // Enter is ignored: it is no way out.
        {Ending::ExitButton, Ending::EscapeKey, Ending::SystemMenuClose, Ending::AltX},
        true,
        0,
        reader_test::EnterKey::DoesNothing,
    };
    return reader;
}

class ErrorReportTest : public reader_test::ReaderFixture {
protected:
    ErrorReportTest() : ReaderFixture(MirvoDw32()) {}
};

}  // namespace mirvo_dw32_test
