// Mirvo.dll from the kit, loaded by name, its entries found by their exported
// names: the tests call the real library exactly as a program would.
#pragma once

#include <windows.h>

#include <string>

#include "KitPaths.h"
#include "UniqueHandle.h"
#include "mirvo.h"

class MirvoLibrary {
public:
    using OpenFn = LONG(WINAPI *)(LPCSTR);
    using CardFn = LONG(WINAPI *)(LONG);
    using ReadFn = LONG(WINAPI *)(LONG, MIRVO_WEIGHTS4 *);
    using TextFn = LONG(WINAPI *)(DWORD, LPSTR, LONG);
    using AddressFn = DWORD(WINAPI *)(LONG);
    using DetectFn = LONG(WINAPI *)(DWORD, DWORD *);
    using SetupFn = LONG(WINAPI *)(HWND, LPCSTR, LONG);

    MirvoLibrary() : module_(LoadLibraryA(kit::KitPath("Mirvo.dll").c_str())) {
        Open = Find<OpenFn>("MirvoOpen");
        Init = Find<CardFn>("MirvoInit");
        Finish = Find<CardFn>("MirvoFinish");
        Read = Find<ReadFn>("MirvoGetCurrentWeight4");
        ErrorMsg = Find<TextFn>("MirvoGetErrorMsg");
        CardAddr = Find<AddressFn>("MirvoGetCardAddr");
        Detect = Find<DetectFn>("MirvoDetect");
        Setup = Find<SetupFn>("MirvoSetup");
    }

    bool Loaded() const {
        return module_ && Open && Init && Finish && Read && ErrorMsg && CardAddr && Detect && Setup;
    }
    FARPROC Entry(const char *name) const { return module_ ? GetProcAddress(module_.get(), name) : nullptr; }

    OpenFn Open = nullptr;
    CardFn Init = nullptr;
    CardFn Finish = nullptr;
    ReadFn Read = nullptr;
    TextFn ErrorMsg = nullptr;
    AddressFn CardAddr = nullptr;
    DetectFn Detect = nullptr;
    SetupFn Setup = nullptr;

private:
    template <typename T> T Find(const char *name) const {
        return reinterpret_cast<T>(reinterpret_cast<void *>(Entry(name)));
    }
    kit::Module module_;
};
