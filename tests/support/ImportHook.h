// Replaces, while it lives, this program's import of a system function: the
// code under test, linked into the test program, then calls the
// replacement. For faults a test cannot otherwise cause (a message loop whose
// GetMessage fails, a module path that the system cuts).
#pragma once

#include <windows.h>

#include <cstring>

namespace kit_test {

// `function` by name, from any DLL.
class ImportHook {
public:
    ImportHook(const char *function, void *replacement) {
        auto *base = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
        auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + reinterpret_cast<IMAGE_DOS_HEADER *>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY &imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto *dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress); dll->Name; ++dll) {
            auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + dll->OriginalFirstThunk);
            auto *addresses = reinterpret_cast<IMAGE_THUNK_DATA *>(base + dll->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++addresses) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) == 0) {
                    slot_ = reinterpret_cast<void **>(&addresses->u1.Function);
                    original_ = Swap(replacement);
                    return;
                }
            }
        }
    }
    ~ImportHook() {
        if (slot_) Swap(original_);
    }
    bool Installed() const { return slot_ != nullptr; }
    void *Original() const { return original_; }

private:
    void *Swap(void *address) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        void *previous = *slot_;
        *slot_ = address;
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
        return previous;
    }
    void **slot_ = nullptr;
    void *original_ = nullptr;
};

// A GetMessageA that fails as the system's can: -1, with the last error set
// and a message that holds nothing of a WM_QUIT but a wParam (9) that a loop
// must not pass on as its code.
inline BOOL WINAPI FailingGetMessage(LPMSG message, HWND, UINT, UINT) {
    message->message = WM_NULL;
    message->wParam = 9;
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
}

}  // namespace kit_test
