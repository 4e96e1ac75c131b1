// The program entry of every program on the framework: it runs the one
// application object. Linked as an object, not from the library, so that the
// C runtime's reference to WinMain finds it.
#include <windows.h>

#include "Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    dialogframework::Application *application = dialogframework::Application::Current();
    return application ? application->Run(instance) : dialogframework::kExitNoApplication;
}
