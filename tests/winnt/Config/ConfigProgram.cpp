#include "ConfigProgram.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "KitPaths.h"
#include "MessageText.h"
#include "MirvoPriv.h"
#include "Registry.h"
#include "UniqueHandle.h"
#include "ServiceManager.h"

namespace cfgtest {

const char *const kNotLoaded = "Configuration is not loaded";
const char *const kLoaded = "Configuration is  loaded";
const char *const kServiceKey = MIRVO_SERVICE_KEY;

std::string CreateUnstartableService() { return testsvc::CreateMirvoService("System32\\drivers\\NoSuchDriver.sys"); }

std::string MakeServiceKeyVolatile() {
    const char *names[] = {"Type", "Start", "ErrorControl"};
    DWORD values[3] = {};
    for (int i = 0; i < 3; ++i) values[i] = ReadValue(kServiceKey, names[i]).value_or(0);
    char image[MAX_PATH] = "";
    DWORD size = sizeof image;
    RegGetValueA(HKEY_LOCAL_MACHINE, kServiceKey, "ImagePath", RRF_RT_ANY, nullptr, image, &size);
    if (LONG r = RegDeleteTreeA(HKEY_LOCAL_MACHINE, kServiceKey); r != ERROR_SUCCESS)
        return "RegDeleteTree failed: " + std::to_string(r);
    kit::RegKey key;
    if (LONG r = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, nullptr, REG_OPTION_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, key.receive(), nullptr);
        r != ERROR_SUCCESS)
        return "RegCreateKeyEx (volatile) failed: " + std::to_string(r);
    for (int i = 0; i < 3; ++i)
        RegSetValueExA(key.get(), names[i], 0, REG_DWORD, reinterpret_cast<BYTE *>(&values[i]), 4);
    RegSetValueExA(key.get(), "ImagePath", 0, REG_EXPAND_SZ, reinterpret_cast<BYTE *>(image), size);
    return "";
}

std::string MakeServiceKeyUncreatable() {
    const std::string volatileKey = std::string(kServiceKey) + "Volatile";
    kit::RegKey key;
    if (LONG r = RegCreateKeyExA(HKEY_LOCAL_MACHINE, volatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, key.receive(), nullptr))
        return "RegCreateKeyEx (volatile) failed: " + std::to_string(r);
    if (LONG r = RegDeleteTreeA(HKEY_LOCAL_MACHINE, kServiceKey); r != ERROR_SUCCESS)
        return "RegDeleteTree failed: " + std::to_string(r);
    kit::RegKey link;
    if (LONG r = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, nullptr,
                                 REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                 link.receive(), nullptr))
        return "RegCreateKeyEx (link) failed: " + std::to_string(r);
    // A full registry path in UTF-16, without a terminating zero.
    std::wstring target = L"\\Registry\\Machine\\";
    for (char c : volatileKey + "\\Mirvo") target += static_cast<wchar_t>(c);
    if (LONG r = RegSetValueExW(link.get(), L"SymbolicLinkValue", 0, REG_LINK,
                                reinterpret_cast<const BYTE *>(target.data()),
                                static_cast<DWORD>(target.size() * sizeof(wchar_t))))
        return "RegSetValueEx (SymbolicLinkValue) failed: " + std::to_string(r);
    return "";
}

DWORD ServiceState() { return testsvc::MirvoServiceState().value_or(0); }

std::string CardKeyPath(int slot) { return std::string(kServiceKey) + "\\" + std::to_string(slot); }

void WriteCard(int slot, std::optional<DWORD> address, std::optional<DWORD> state) {
    testreg::CreateKey(CardKeyPath(slot));
    if (address) testreg::WriteDword(CardKeyPath(slot), "Address", *address);
    if (state) testreg::WriteDword(CardKeyPath(slot), "ConfigState", *state);
}

bool CardExists(int slot) { return testreg::KeyExists(CardKeyPath(slot)); }

std::optional<DWORD> ReadValue(const std::string &keyPath, const char *name) {
    std::optional<testreg::Value> value = testreg::ReadValue(keyPath, name);
    if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD)) return std::nullopt;
    return *reinterpret_cast<const DWORD *>(value->data.data());
}

void WriteValue(const std::string &keyPath, const char *name, DWORD value) {
    testreg::WriteDword(keyPath, name, value);
}

void DeleteValue(const std::string &keyPath, const char *name) { testreg::DeleteValue(keyPath, name); }

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
    // Read through the wide messages into a roomy buffer: Wine copies the
    // other process's reply into the caller's buffer whole.
    HWND list = uiauto::Control(window_, kCardList);
    std::vector<std::string> lines;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, uiauto::kDefaultTimeoutMs, &count))
        return lines;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        std::vector<WCHAR> wide(4096, 0);
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()),
                                 SMTO_ABORTIFHUNG, uiauto::kDefaultTimeoutMs, &length) ||
            static_cast<LRESULT>(length) == LB_ERR) {
            lines.push_back("<no line " + std::to_string(i) + ">");
            continue;
        }
        char line[4096] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, line, sizeof line, nullptr, nullptr);
        lines.push_back(line);
    }
    return lines;
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

HWND ConfigProgram::WaitForSetup(const std::string &cardName) {
    HWND setup = nullptr;
    uiauto::WaitUntil([&] {
        setup = uiauto::FindTopWindow(process_.Id(), "#32770");
        return setup && uiauto::TextOf(setup).find(cardName) != std::string::npos;
    });
    EXPECT_TRUE(setup) << "no setup dialog for " << cardName;
    if (setup) {
        EXPECT_EQ(GetWindow(setup, GW_OWNER), window_);
    }
    return setup;
}

bool ConfigProgram::EditCard(const std::string &cardName, int button, const char *address) {
    if (!Press(kEditCard)) return false;
    HWND setup = WaitForSetup(cardName);
    if (!setup) return false;
    if (address)
        SendMessageTimeoutA(GetDlgItem(setup, kSetupAddress), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address),
                            SMTO_ABORTIFHUNG, uiauto::kDefaultTimeoutMs, nullptr);
    return uiauto::PressButton(setup, button) && uiauto::WaitForWindowGone(setup) && WaitIdle();
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

bool ConfigProgram::StartPastDriverWarning() {
    if (!WaitForWindow()) return false;
    uiauto::MessageBoxInfo box = WaitForBox();
    if (!box || box.caption != "Moderately severe error") return false;
    return uiauto::AnswerMessageBox(box.window, IDOK) && WaitIdle();
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

namespace cfgtest {

std::string SystemText(DWORD code) {
    std::string text = kit::MessageText(code, kit::kSystemDefaultLanguage).value_or(std::string());
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

bool IsDefaultButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

}  // namespace cfgtest
