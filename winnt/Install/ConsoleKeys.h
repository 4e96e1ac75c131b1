// Keys from the console, for the questions and the pause.
#pragma once


namespace installation {

// The character of the next key pressed; 0 without a console, which answers
// no question with yes.
char ReadKeyChar();

// "Press any key to continue..." and the wait for a key (none without a console).
void PressAnyKey();

}  // namespace installation
