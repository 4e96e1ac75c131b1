// Owners for the Win32 handle kinds the kit's programs hold (registry keys,
// service handles, system-allocated memory): each closes its handle once, on
// every way out, a thrown failure included.
#pragma once

#include <windows.h>

#include <utility>

namespace kit {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    UniqueHandle(UniqueHandle &&other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle &operator=(UniqueHandle &&other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

    // For the calls that return a handle through a pointer.
    Handle *receive() {
        reset();
        return &handle_;
    }
    void reset() {
        if (handle_ != Handle{}) Traits::Close(handle_);
        handle_ = Handle{};
    }

private:
    Handle handle_{};
};

struct RegKeyTraits {
    static void Close(HKEY key) { RegCloseKey(key); }
};
struct ServiceHandleTraits {
    static void Close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};
struct LocalMemoryTraits {
    static void Close(HLOCAL memory) { LocalFree(memory); }
};

// An open registry key; empty stands for the "no key" result of a failed open.
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;
using ServiceHandle = UniqueHandle<SC_HANDLE, ServiceHandleTraits>;
// Memory that FormatMessage allocates for its text.
using LocalMemory = UniqueHandle<HLOCAL, LocalMemoryTraits>;

}  // namespace kit
