// Owners of the registry and service handles: each closes its handle once,
// on every way out.
#pragma once

#include <windows.h>

#include <utility>

namespace cfg {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
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

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    // For the calls that return a handle through a pointer.
    Handle *receive() {
        reset();
        return &handle_;
    }
    void reset() {
        if (handle_ != Handle{}) Traits::close(handle_);
        handle_ = Handle{};
    }

private:
    Handle handle_{};
};

struct RegKeyTraits {
    static void close(HKEY key) { RegCloseKey(key); }
};
struct ServiceHandleTraits {
    static void close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};

using RegKey = UniqueHandle<HKEY, RegKeyTraits>;
using ServiceHandle = UniqueHandle<SC_HANDLE, ServiceHandleTraits>;

}  // namespace cfg
