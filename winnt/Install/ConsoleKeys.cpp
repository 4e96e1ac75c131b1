#include "ConsoleKeys.h"

#include <windows.h>

#include "Console.h"

namespace installation {

namespace {

// One console input record, read afresh from the current standard input.
// False when the read fails, as it does when standard input is no console:
// the caller must then stop waiting.
bool ReadInputRecord(INPUT_RECORD &record) {
    DWORD read = 0;
    return ReadConsoleInputA(GetStdHandle(STD_INPUT_HANDLE), &record, 1, &read) && read == 1;
}

bool IsKeyGoingDown(const INPUT_RECORD &record) {
    return record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown;
}

}  // namespace

// Without a console there is nobody to answer: yields 0, which answers no
// question with yes.
char ReadKeyChar() {
    INPUT_RECORD record;
    while (ReadInputRecord(record)) {
        if (IsKeyGoingDown(record) && record.Event.KeyEvent.uChar.AsciiChar != 0)
            return record.Event.KeyEvent.uChar.AsciiChar;
    }
    return 0;
}

void PressAnyKey() {
    WriteLine("Press any key to continue...");
    INPUT_RECORD record;
    while (ReadInputRecord(record)) {
        if (IsKeyGoingDown(record)) return;
    }
}

}  // namespace installation
