#include "Application.h"

#include "ModulePath.h"
#include "Window.h"

namespace dialogframework {

namespace {

Application *g_application = nullptr;

std::string ModuleName() { return NameFromModulePath(kit::ModulePath()); }

}  // namespace

Application::Application(const char *name) : name_(name ? name : ModuleName()) {
    // One application object per program: the first one made is the one run.
    if (!g_application) g_application = this;
}

Application::~Application() {
    if (mainWindow_) mainWindow_->ForgetIn(nullptr);
    if (g_application == this) g_application = nullptr;
}

Application *Application::Current() { return g_application; }

int Application::Run(HINSTANCE instance) {
    instance_ = instance;
    // The program's own frames only: the dialog procedure has carried any
    // exception past the system's.
    try {
        if (!InitialiseInstance()) return kExitNormal;
        MSG message = {};
        BOOL got = FALSE;
        while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // -1: no WM_QUIT came, so wParam holds nothing of the program's.
        return got < 0 ? kExitRuntimeFailure : static_cast<int>(message.wParam);
    } catch (...) {
        return kExitRuntimeFailure;
    }
}

bool Application::InitialiseInstance() { return false; }

void Application::SetMainWindow(Window *window) {
    if (mainWindow_) mainWindow_->ForgetIn(nullptr);
    mainWindow_ = window;
    if (mainWindow_) mainWindow_->ForgetIn(&mainWindow_);
}

bool Application::UseThreeDControls() { return true; }

HICON Application::LoadIconResource(int id) const { return LoadIconA(instance_, MAKEINTRESOURCEA(id)); }

void Application::ShowDefaultHelp() {
    MessageBoxA(mainWindow_ ? mainWindow_->Handle() : nullptr, DefaultHelpText(name_).c_str(), name_.c_str(),
                MB_OK | MB_ICONINFORMATION);
}

std::string NameFromModulePath(const std::string &path) {
    const std::size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

std::string DefaultHelpText(const std::string &name) { return "No help is available for " + name + "."; }

}  // namespace dialogframework
