#include "ConfigProgram.h"

#include <cstdio>

#include "KitPaths.h"

namespace cfgtest {

const char *const kNotLoaded = "Configuration is not loaded";
const char *const kLoaded = "Configuration is  loaded";
const char *const kServiceKey = "System\\CurrentControlSet\\Services\\Mirvo";

namespace {

struct Sc {
    SC_HANDLE handle;
    explicit Sc(SC_HANDLE h) : handle(h) {}
    ~Sc() {
        if (handle) CloseServiceHandle(handle);
    }
};

}  // namespace

std::string CreateUnstartableService() {
    Sc manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) return "OpenSCManager failed: " + std::to_string(GetLastError());
    Sc service(CreateServiceA(manager.handle, "Mirvo", "Mirvo", SERVICE_ALL_ACCESS,
                              SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                              "System32\\drivers\\NoSuchDriver.sys", nullptr, nullptr, nullptr,
                              nullptr, nullptr));
    if (!service.handle) return "CreateService failed: " + std::to_string(GetLastError());
    return "";
}

DWORD ServiceState() {
    Sc manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    Sc service(manager.handle ? OpenServiceA(manager.handle, "Mirvo", SERVICE_QUERY_STATUS) : nullptr);
    SERVICE_STATUS status{};
    if (!service.handle || !QueryServiceStatus(service.handle, &status)) return 0;
    return status.dwCurrentState;
}

std::string CardKeyPath(int slot) { return std::string(kServiceKey) + "\\" + std::to_string(slot); }

void WriteCard(int slot, std::optional<DWORD> address, std::optional<DWORD> state) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, CardKeyPath(slot).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    if (address) RegSetValueExA(key, "Address", 0, REG_DWORD, reinterpret_cast<BYTE *>(&*address), 4);
    if (state) RegSetValueExA(key, "ConfigState", 0, REG_DWORD, reinterpret_cast<BYTE *>(&*state), 4);
    RegCloseKey(key);
}

bool CardExists(int slot) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CardKeyPath(slot).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<DWORD> ReadValue(const std::string &keyPath, const char *name) {
    DWORD value = 0xdeadbeef, size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void WriteValue(const std::string &keyPath, const char *name, DWORD value) {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, REG_DWORD, &value, sizeof value);
}

void DeleteValue(const std::string &keyPath, const char *name) {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name);
}

std::optional<DWORD> ConfigState() { return ReadValue(kServiceKey, "ConfigState"); }
void SetConfigState(DWORD value) { WriteValue(kServiceKey, "ConfigState", value); }

ConfigProgram::ConfigProgram()
    : process_(uiauto::Process::Start(kit::KitPath("mirvocfg.exe"), "", kit::KitDir())) {}

HWND ConfigProgram::WaitForWindow(DWORD timeoutMs) {
    window_ = uiauto::WaitForTopWindow(process_.Id(), "MIRVOCFG", nullptr, timeoutMs);
    return window_;
}

std::string ConfigProgram::Status() const { return uiauto::ControlText(window_, kStatus); }

std::vector<std::string> ConfigProgram::Lines() const {
    return uiauto::ListBoxLines(uiauto::Control(window_, kCardList));
}

int ConfigProgram::Selection() const { return uiauto::ListBoxSelection(uiauto::Control(window_, kCardList)); }

bool ConfigProgram::Select(int slot) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(uiauto::Control(window_, kCardList), LB_SETCURSEL, slot, 0,
                               SMTO_ABORTIFHUNG, uiauto::kDefaultTimeoutMs, &result) &&
           static_cast<int>(result) == slot;
}

bool ConfigProgram::Press(int id) { return uiauto::PressButton(window_, id); }

uiauto::MessageBoxInfo ConfigProgram::WaitForBox(DWORD timeoutMs) {
    return uiauto::WaitForMessageBox(process_.Id(), timeoutMs);
}

bool ConfigProgram::WaitIdle(DWORD timeoutMs) {
    return uiauto::WaitUntil(
        [&] {
            if (uiauto::HasMessageBox(process_.Id())) return false;
            DWORD_PTR result = 0;
            return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &result) != 0;
        },
        timeoutMs);
}

std::optional<DWORD> ConfigProgram::Exit() {
    if (!Press(kExit)) return std::nullopt;
    uiauto::WaitUntil([&] { return !process_.Running() || uiauto::HasMessageBox(process_.Id()); });
    if (process_.Running()) {
        uiauto::MessageBoxInfo box = WaitForBox();
        if (box && box.caption == "Stern advice") uiauto::AnswerMessageBox(box.window, IDOK);
    }
    return process_.WaitForExit();
}

std::string UsedLine(int slot, DWORD address, const char *state) {
    char line[80];
    std::snprintf(line, sizeof line, "KVT%d\t at 0x%08lX (%s)", slot + 1,
                  static_cast<unsigned long>(address), state);
    return line;
}

std::string FreeLine(int slot) { return "KVT" + std::to_string(slot + 1) + "\t [not used]"; }

}  // namespace cfgtest
