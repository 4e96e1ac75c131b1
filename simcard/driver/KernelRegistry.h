// Small owners and readers over the kernel's registry calls.
#pragma once

#include <ntddk.h>

namespace mirvosys {

// An open registry key, closed when the owner goes.
class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle() { Close(); }
    KeyHandle(const KeyHandle &) = delete;
    KeyHandle &operator=(const KeyHandle &) = delete;

    // Opens `path` ("\Registry\Machine\..."); false when it is not there.
    bool Open(const wchar_t *path, ACCESS_MASK access = KEY_READ);
    // Creates or opens a subkey of an open key.
    bool CreateSubkey(const KeyHandle &parent, const wchar_t *name);
    void Close();
    HANDLE Get() const { return handle_; }
    bool IsOpen() const { return handle_ != nullptr; }

private:
    HANDLE handle_ = nullptr;
};

// The script's values are anybody's to write: a value counts only with the
// type the script gives it and at most `capacity` bytes; of another type or
// larger it counts as missing (false), and nothing is copied. `length` gets
// the value's size.
bool ReadValue(const KeyHandle &key, const wchar_t *name, ULONG type, void *data, ULONG capacity,
               ULONG *length);

// A REG_DWORD of exactly four bytes; false for anything else.
bool ReadDword(const KeyHandle &key, const wchar_t *name, ULONG *value);

bool WriteDword(const KeyHandle &key, const wchar_t *name, ULONG value);

// The name of subkey `index` (0, 1, ...) into `name`; false at the end or
// for a name that does not fit.
bool SubkeyName(const KeyHandle &key, ULONG index, wchar_t *name, ULONG capacity);

// A zero-terminated wide string built in a fixed buffer; overlong text is
// cut and marks the builder as failed.
template <ULONG N> class WideText {
public:
    WideText &Add(const wchar_t *text) {
        for (; text && *text; ++text) {
            if (length_ + 1 >= N) {
                overflow_ = true;
                break;
            }
            buffer_[length_++] = *text;
        }
        buffer_[length_] = 0;
        return *this;
    }
    const wchar_t *Get() const { return buffer_; }
    bool Ok() const { return !overflow_; }

private:
    wchar_t buffer_[N] = {};
    ULONG length_ = 0;
    bool overflow_ = false;
};

}  // namespace mirvosys
