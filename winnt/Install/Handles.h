// Owners for the handle kinds the installer holds, so every path out of a
// step (a thrown failure included) closes them.
#pragma once

#include <windows.h>

#include <utility>

namespace installation {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    UniqueHandle(UniqueHandle &&other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle &operator=(UniqueHandle &&other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, Traits::Invalid());
        }
        return *this;
    }
    ~UniqueHandle() { Close(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

private:
    void Close() {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = Traits::Invalid();
    }
    Handle handle_ = Traits::Invalid();
};

// An open registry key; empty stands for the "no key" result of a failed open.
struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;

struct ServiceHandleTraits {
    static SC_HANDLE Invalid() { return nullptr; }
    static void Close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};
using ServiceHandle = UniqueHandle<SC_HANDLE, ServiceHandleTraits>;

// Memory that FormatMessage allocates for its text.
struct LocalMemoryTraits {
    static HLOCAL Invalid() { return nullptr; }
    static void Close(HLOCAL memory) { LocalFree(memory); }
};
using LocalMemory = UniqueHandle<HLOCAL, LocalMemoryTraits>;

}  // namespace installation
