// The application object: exactly one per program, a global constructed
// before the framework's program entry runs. The entry calls its
// InitialiseInstance() once; when that gives false the program ends at once
// (the usual way for a dialog program, whose modal run is already over),
// otherwise a message loop runs until WM_QUIT.
//
// Exit code: kExitNormal (0) when InitialiseInstance() gives false; the
// WM_QUIT code when the message loop ran; kExitNoApplication (1) when the
// program defines no application object; kExitRuntimeFailure (3) when the
// run failed: an exception that a handler let out was stopped at the dialog
// procedure (the dialog ended with -1, the exception was carried past the
// system's frames and caught here), or the message loop could not get its
// next message (GetMessage gave -1).
#pragma once

#include <windows.h>

#include <string>

#include "MessageMap.h"

namespace dialogframework {

class Window;

constexpr int kExitNormal = 0;
constexpr int kExitNoApplication = 1;
constexpr int kExitRuntimeFailure = 3;

// The standard help command. An application routes it to ShowDefaultHelp()
// in its message map when it wants the framework's help.
constexpr WORD kHelpCommand = 0xE146;

class Application : public MessageTarget {
public:
    // `name` null: the executable's name without folder and extension.
    explicit Application(const char *name = nullptr);
    ~Application() override;

    // The program's application object, or null.
    static Application *Current();

    // The framework's main routine, called by the program entry.
    int Run(HINSTANCE instance);

    // The program's start; false ends the program without a message loop.
    virtual bool InitialiseInstance();

    const std::string &Name() const { return name_; }
    HINSTANCE Instance() const { return instance_; }

    // Gives dialog controls the three-dimensional look. On Windows NT 4.0
    // and later every control has it already, so this does nothing and
    // gives true; it stays so that a program's start reads as it always did.
    bool UseThreeDControls();

    // Icon resource `id` of the program at the system's large-icon size.
    // The system shares it: nobody destroys it.
    HICON LoadIconResource(int id) const;

    // The main window; forgotten again when its object goes.
    void SetMainWindow(Window *window);
    Window *MainWindow() const { return mainWindow_; }

    // The default help: an information box "No help is available for
    // <name>." with the application's name as caption, owned by the main
    // window. The kit's programs have no help file.
    void ShowDefaultHelp();

private:
    std::string name_;
    HINSTANCE instance_ = nullptr;
    Window *mainWindow_ = nullptr;
};

// "C:\kit\Mirvo_mfc.EXE" gives "Mirvo_mfc".
std::string NameFromModulePath(const std::string &path);

// The text of the default help box for the application `name`.
std::string DefaultHelpText(const std::string &name);

}  // namespace dialogframework
