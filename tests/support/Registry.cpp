#include "Registry.h"

#include "UniqueHandle.h"

namespace testreg {

namespace {

LONG Create(HKEY root, const std::string &path, kit::RegKey &key) {
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.receive(), nullptr);
}

}  // namespace

bool KeyExists(const std::string &path, HKEY root) {
    kit::RegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
}

LONG CreateKey(const std::string &path, HKEY root) {
    kit::RegKey key;
    return Create(root, path, key);
}

LONG DeleteTree(const std::string &path, HKEY root) {
    const LONG result = RegDeleteTreeA(root, path.c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

std::optional<DWORD> ReadDword(const std::string &path, const char *name, HKEY root) {
    kit::RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) return std::nullopt;
    DWORD value = 0xdeadbeef, size = sizeof value;
    if (RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof value)
        return std::nullopt;
    return value;
}

std::optional<Value> ReadValue(const std::string &path, const char *name, HKEY root) {
    kit::RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) return std::nullopt;
    Value value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.assign(size, 0xbd);
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

LONG WriteDword(const std::string &path, const char *name, DWORD value, HKEY root) {
    return WriteValue(path, name, REG_DWORD, &value, sizeof value, root);
}

LONG WriteValue(const std::string &path, const char *name, DWORD type, const void *data, DWORD size, HKEY root) {
    kit::RegKey key;
    if (LONG result = Create(root, path, key)) return result;
    return RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE *>(data), size);
}

LONG WriteString(const std::string &path, const char *name, const std::string &text, HKEY root) {
    return WriteValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1), root);
}

LONG DeleteValue(const std::string &path, const char *name, HKEY root) {
    kit::RegKey key;
    if (LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, key.receive())) return result;
    return RegDeleteValueA(key.get(), name);
}

namespace {

void ReadTreeInto(HKEY key, REGSAM view, const std::string &prefix, std::map<std::string, Value> &tree) {
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof name;
        Value value;
        DWORD size = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) break;
        value.data.assign(size, 0xbd);
        nameSize = sizeof name;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
            break;
        value.data.resize(size);
        tree[prefix + name] = value;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::string subPrefix = prefix + name + "\\";
        tree[subPrefix] = Value{};
        kit::RegKey sub;
        if (RegOpenKeyExA(key, name, 0, KEY_READ | view, sub.receive()) == ERROR_SUCCESS)
            ReadTreeInto(sub.get(), view, subPrefix, tree);
    }
}

}  // namespace

std::map<std::string, Value> ReadTree(const std::string &path, HKEY root, REGSAM view) {
    std::map<std::string, Value> tree;
    kit::RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.receive()) == ERROR_SUCCESS)
        ReadTreeInto(key.get(), view, "", tree);
    return tree;
}

}  // namespace testreg
