// The program entry of every program on the form runtime; the program
// itself gives only StartUpApplication(). The command line is not examined.
#include <windows.h>

#include "Program.h"

namespace {

// Forms are laid out from twips at the display's own pixels per inch, so the
// runtime scales them itself: where the system would otherwise pretend 96
// dpi and stretch the window's picture, it says so (NT 4.0 has no such call).
void LayOutAtTheDisplaysOwnDpi() {
    using SetAware = BOOL(WINAPI *)();
    if (const auto setAware = reinterpret_cast<SetAware>(
            reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
        setAware();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    LayOutAtTheDisplaysOwnDpi();
    return formrt::Run(formrt::StartUpApplication(), showCommand);
}
