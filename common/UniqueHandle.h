// One owner for every handle kind the kit holds: registry keys, service
// handles, system-allocated memory, files and devices, loaded modules and
// card handles. Each kind names its empty value (null, INVALID_HANDLE_VALUE,
// the card handle's -1) and how it is closed; the owner closes it once, on
// every way out, a thrown failure included.
#pragma once

#include <windows.h>

#include <utility>

namespace kit {

// Traits: `using Handle = ...;`, `static Handle Invalid()` and
// `static void Close(Handle)`, which is never called with Invalid().
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    UniqueHandle(UniqueHandle &&other) noexcept : handle_(other.release()) {}
    UniqueHandle &operator=(UniqueHandle &&other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    static Handle Invalid() { return Traits::Invalid(); }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }

    // For the calls that return a handle through a pointer.
    Handle *receive() {
        reset();
        return &handle_;
    }
    // Closes what is held and takes `handle` instead.
    void reset(Handle handle = Traits::Invalid()) {
        if (valid()) Traits::Close(handle_);
        handle_ = handle;
    }
    // Gives the handle up without closing it.
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }

private:
    Handle handle_ = Traits::Invalid();
};

template <typename H>
struct NullIsEmpty {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
};

struct RegKeyTraits : NullIsEmpty<HKEY> {
    static void Close(HKEY key) { RegCloseKey(key); }
};
struct ServiceHandleTraits : NullIsEmpty<SC_HANDLE> {
    static void Close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};
struct LocalMemoryTraits : NullIsEmpty<HLOCAL> {
    static void Close(HLOCAL memory) { LocalFree(memory); }
};
struct ModuleTraits : NullIsEmpty<HMODULE> {
    static void Close(HMODULE module) { FreeLibrary(module); }
};
// Handles that CreateFile gives (files, devices): empty is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
// Kernel objects whose failed creation gives null (processes, threads, events).
struct KernelHandleTraits : NullIsEmpty<HANDLE> {
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
// Fonts, pens, brushes and bitmaps that a program creates.
template <typename Object>
struct GdiObjectTraits : NullIsEmpty<Object> {
    static void Close(Object object) { DeleteObject(object); }
};
// A device context from CreateCompatibleDC (not one from GetDC or BeginPaint).
struct MemoryDcTraits : NullIsEmpty<HDC> {
    static void Close(HDC dc) { DeleteDC(dc); }
};
// The 32-bit card handle of MirvoOpen: -1 means no card, and no library
// entry closes it. It is a platform handle, sign-extended on 64 bits.
struct CardHandleTraits {
    using Handle = LONG;
    static Handle Invalid() { return -1; }
    static void Close(LONG card) { CloseHandle(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(card))); }
};

// An open registry key; empty stands for the "no key" result of a failed open.
using RegKey = UniqueHandle<RegKeyTraits>;
using ServiceHandle = UniqueHandle<ServiceHandleTraits>;
// Memory that FormatMessage allocates for its text.
using LocalMemory = UniqueHandle<LocalMemoryTraits>;
using Module = UniqueHandle<ModuleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using CardHandle = UniqueHandle<CardHandleTraits>;
using Font = UniqueHandle<GdiObjectTraits<HFONT>>;
using Pen = UniqueHandle<GdiObjectTraits<HPEN>>;
using Brush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using Bitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;

}  // namespace kit
