#include "KernelRegistry.h"

#include "../include/KvtSimIoctl.h"

namespace mirvosys {

namespace {
const ULONG kPoolTag = 0x6D69534B;  // "KSim"

ULONG WideLength(const wchar_t *text) {
    ULONG n = 0;
    while (text[n]) ++n;
    return n;
}

void InitString(UNICODE_STRING *s, const wchar_t *text) {
    const ULONG bytes = WideLength(text) * sizeof(wchar_t);
    s->Buffer = const_cast<PWSTR>(text);
    s->Length = USHORT(bytes);
    s->MaximumLength = USHORT(bytes + sizeof(wchar_t));
}
}  // namespace

bool KeyHandle::Open(const wchar_t *path, ACCESS_MASK access) {
    Close();
    UNICODE_STRING name;
    InitString(&name, path);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE,
                               nullptr, nullptr);
    HANDLE handle = nullptr;
    // A 32-bit driver (Wine hosts one) would otherwise see the 32-bit view.
    if (!NT_SUCCESS(ZwOpenKey(&handle, access | KVTSIM_REG_VIEW, &attributes))) return false;
    handle_ = handle;
    return true;
}

bool KeyHandle::CreateSubkey(const KeyHandle &parent, const wchar_t *subkey) {
    Close();
    UNICODE_STRING name;
    InitString(&name, subkey);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE,
                               parent.Get(), nullptr);
    HANDLE handle = nullptr;
    if (!NT_SUCCESS(ZwCreateKey(&handle, KEY_ALL_ACCESS | KVTSIM_REG_VIEW, &attributes, 0, nullptr,
                                REG_OPTION_NON_VOLATILE, nullptr)))
        return false;
    handle_ = handle;
    return true;
}

void KeyHandle::Close() {
    if (handle_) ZwClose(handle_);
    handle_ = nullptr;
}

bool ReadValue(const KeyHandle &key, const wchar_t *name, ULONG type, void *data, ULONG capacity,
               ULONG *length) {
    if (!key.IsOpen()) return false;
    UNICODE_STRING valueName;
    InitString(&valueName, name);
    // One query with room for `capacity` bytes: a larger value fails it with
    // an overflow and is never fetched whole, however large it is.
    const ULONG size = FIELD_OFFSET(KEY_VALUE_PARTIAL_INFORMATION, Data) + capacity;
    auto *info = static_cast<KEY_VALUE_PARTIAL_INFORMATION *>(
        ExAllocatePoolWithTag(PagedPool, size, kPoolTag));
    if (!info) return false;
    ULONG needed = 0;
    const NTSTATUS status =
        ZwQueryValueKey(key.Get(), &valueName, KeyValuePartialInformation, info, size, &needed);
    const bool found = NT_SUCCESS(status) && info->Type == type && info->DataLength <= capacity;
    if (found) {
        RtlCopyMemory(data, info->Data, info->DataLength);
        *length = info->DataLength;
    }
    ExFreePool(info);
    return found;
}

bool ReadDword(const KeyHandle &key, const wchar_t *name, ULONG *value) {
    ULONG data = 0, length = 0;
    if (!ReadValue(key, name, REG_DWORD, &data, sizeof data, &length) || length != sizeof data)
        return false;
    *value = data;
    return true;
}

bool WriteDword(const KeyHandle &key, const wchar_t *name, ULONG value) {
    if (!key.IsOpen()) return false;
    UNICODE_STRING valueName;
    InitString(&valueName, name);
    return NT_SUCCESS(ZwSetValueKey(key.Get(), &valueName, 0, REG_DWORD, &value, sizeof value));
}

bool SubkeyName(const KeyHandle &key, ULONG index, wchar_t *name, ULONG capacity) {
    if (!key.IsOpen() || capacity == 0) return false;
    // Basic information carries the name; room for a name of 64 characters.
    ULONG buffer[(sizeof(KEY_BASIC_INFORMATION) + 64 * sizeof(wchar_t)) / sizeof(ULONG) + 1];
    auto *info = reinterpret_cast<KEY_BASIC_INFORMATION *>(buffer);
    ULONG needed = 0;
    const NTSTATUS status =
        ZwEnumerateKey(key.Get(), index, KeyBasicInformation, info, sizeof buffer, &needed);
    if (status == STATUS_BUFFER_OVERFLOW || status == STATUS_BUFFER_TOO_SMALL) {
        name[0] = 0;
        return true;  // a name too long for a card: the caller skips it
    }
    if (!NT_SUCCESS(status)) return false;
    const ULONG chars = info->NameLength / sizeof(wchar_t);
    if (chars + 1 > capacity) {
        name[0] = 0;
        return true;  // a name too long for a card: the caller skips it
    }
    RtlCopyMemory(name, info->Name, chars * sizeof(wchar_t));
    name[chars] = 0;
    return true;
}

}  // namespace mirvosys
