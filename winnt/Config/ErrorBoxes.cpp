#include "ErrorBoxes.h"

#include <windows.h>

#include <cstdint>

#include "ModulePath.h"
#include "WindowText.h"

namespace cfg {

void FatalError(const std::string &text) {
    MessageBoxA(nullptr, text.c_str(), "Fatal Error", MB_OK | MB_ICONSTOP);
    throw FatalExit{};
}

namespace {

// The file name of the module that holds `address`, and the address's offset
// in it; the program itself when the address is unknown.
std::string ModuleOf(const void *address, std::uintptr_t &offset) {
    HMODULE module = nullptr;
    MEMORY_BASIC_INFORMATION info{};
    if (address && VirtualQuery(address, &info, sizeof info))
        module = static_cast<HMODULE>(info.AllocationBase);
    if (!module) module = GetModuleHandleA(nullptr);
    offset = address ? reinterpret_cast<std::uintptr_t>(address) -
                           reinterpret_cast<std::uintptr_t>(module)
                     : 0;
    std::string name = kit::ModulePath(module);
    std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

void ShowApplicationError(const std::string &kind, const void *address, const std::string &message) {
    std::uintptr_t offset = 0;
    std::string module = ModuleOf(address, offset);
    std::string text = UnexpectedErrorText(kind, module, offset, message);
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace

void ShowUnexpectedError(const SystemError &error) {
    ShowApplicationError("SystemError", error.codeAddress(), error.what());
}

void ShowUnexpectedError(const std::exception &error) {
    ShowApplicationError("Unexpected error", nullptr, error.what());
}

}  // namespace cfg
