// mirvo_bc as a row of the shared reader fixture: its window, control ids
// and what its ways out do.
#pragma once

#include "ReaderFixture.h"

namespace mirvo_bc_test {

constexpr int kExit = IDCANCEL;
constexpr int kInitCard = 1000;
constexpr int kFinishCard = 1001;
constexpr int kReadCard = 1002;
constexpr int kStatus = 1003;

using reader_test::Ending;

inline const reader_test::ReaderProgram &MirvoBc() {
    static const reader_test::ReaderProgram reader = {
        "mirvo_bc", "mirvo_bc.exe", "MIRVOTEST", "KVT Example ",
        {kInitCard}, {kFinishCard}, {kReadCard}, {kStatus}, {kExit},
        "closed", "1.500 -0.250 0.000 12.000", "Initialised OK",
        // Enter ends it too: IDOK is "any other command".
        {Ending::ExitButton, Ending::EscapeKey, Ending::SystemMenuClose, Ending::EnterKey, Ending::AltX},
        true,
    };
    return reader;
}

class ReaderTest : public reader_test::ReaderFixture {
protected:
    ReaderTest() : ReaderFixture(MirvoBc()) {}
};

}  // namespace mirvo_bc_test
