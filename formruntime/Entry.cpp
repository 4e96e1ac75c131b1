// The program entry of every program on the form runtime; the program
// itself gives only StartUpApplication(). The command line is not examined.
#include <windows.h>

#include "Runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    return formrt::Run(formrt::StartUpApplication(), showCommand);
}
