#include "DialogTemplate.h"

#include <cstring>

#include "UniqueHandle.h"

namespace uiauto {

namespace {

// Reads the template's little-endian words, with bounds checks.
class Reader {
public:
    Reader(const void *data, size_t size) : data_(static_cast<const BYTE *>(data)), size_(size) {}

    bool Ok() const { return ok_; }

    WORD Word() {
        WORD value = 0;
        Copy(&value, sizeof value);
        return value;
    }
    DWORD Dword() {
        DWORD value = 0;
        Copy(&value, sizeof value);
        return value;
    }
    short Short() { return static_cast<short>(Word()); }

    std::string WideString() {
        std::string text;
        for (WORD c = Word(); ok_ && c != 0; c = Word()) text += c < 0x80 ? static_cast<char>(c) : '?';
        return text;
    }

    NameOrOrdinal NameOrOrd() {
        NameOrOrdinal value;
        const WORD first = Word();
        if (first == 0xFFFF) {
            value.ordinal = Word();
        } else if (first != 0) {
            offset_ -= sizeof(WORD);
            value.name = WideString();
        }
        return value;
    }

    void Skip(size_t bytes) {
        if (offset_ + bytes > size_) ok_ = false;
        else offset_ += bytes;
    }
    void AlignToDword() { Skip((4 - offset_ % 4) % 4); }

private:
    void Copy(void *out, size_t bytes) {
        if (!ok_ || offset_ + bytes > size_) {
            ok_ = false;
            return;
        }
        std::memcpy(out, data_ + offset_, bytes);
        offset_ += bytes;
    }

    const BYTE *data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};


}  // namespace

bool ParseDialogTemplate(const void *data, size_t size, DialogTemplate &dialog, std::string &error) {
    Reader in(data, size);
    dialog = {};
    dialog.style = in.Dword();
    dialog.exStyle = in.Dword();
    if (in.Ok() && (dialog.style & 0xFFFF0000u) == 0xFFFF0000u) {
        error = "a DIALOGEX template, not a DIALOG one";
        return false;
    }
    const WORD count = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    dialog.menu = in.NameOrOrd();
    dialog.windowClass = in.NameOrOrd();
    dialog.caption = in.WideString();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Word();
        dialog.font = in.WideString();
    }
    for (WORD i = 0; in.Ok() && i < count; ++i) {
        in.AlignToDword();
        DialogItem item;
        item.style = in.Dword();
        item.exStyle = in.Dword();
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = in.Word();
        item.windowClass = in.NameOrOrd();
        item.text = in.NameOrOrd();
        item.extraBytes = in.Word();
        in.Skip(item.extraBytes);
        dialog.items.push_back(item);
    }
    if (!in.Ok()) {
        error = "the template ends too early";
        return false;
    }
    return true;
}

std::string ReadResource(const std::string &program, LPCSTR name, LPCSTR type, std::string &error) {
    const kit::Module module(LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) {
        error = "cannot load " + program + " as a data file, error " + std::to_string(GetLastError());
        return "";
    }
    HRSRC resource = FindResourceA(module.get(), name, type);
    HGLOBAL loaded = resource ? LoadResource(module.get(), resource) : nullptr;
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        error = "resource not found in " + program;
        return "";
    }
    return std::string(static_cast<const char *>(bytes), SizeofResource(module.get(), resource));
}

bool ReadDialogTemplate(const std::string &program, const char *name, DialogTemplate &dialog,
                        std::string &error) {
    const std::string bytes = ReadResource(program, name, RT_DIALOG, error);
    if (bytes.empty()) return false;
    return ParseDialogTemplate(bytes.data(), bytes.size(), dialog, error);
}

}  // namespace uiauto

namespace uiauto {

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

}  // namespace

std::vector<IconImage> ReadIconGroup(const std::string &program, LPCSTR name, std::string &error) {
    std::vector<IconImage> images;
    const std::string group = ReadResource(program, name, RT_GROUP_ICON, error);
    if (group.size() < 6) {
        if (error.empty()) error = "the icon group has no header";
        return images;
    }
    WORD header[3];
    std::memcpy(header, group.data(), sizeof header);
    if (header[1] != 1 || group.size() < 6 + header[2] * sizeof(GroupIconEntry)) {
        error = "not an icon group, or fewer entries than it counts";
        return images;
    }
    for (WORD i = 0; i < header[2]; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        IconImage image;
        image.width = entry.width ? entry.width : 256;
        image.height = entry.height ? entry.height : 256;
        image.colours = entry.colours;
        image.bitCount = entry.bitCount;
        const std::string bytes = ReadResource(program, MAKEINTRESOURCEA(entry.id), RT_ICON, error);
        image.bytes = bytes.size();
        if (bytes.size() >= sizeof image.bitmap) std::memcpy(&image.bitmap, bytes.data(), sizeof image.bitmap);
        images.push_back(image);
    }
    return images;
}

}  // namespace uiauto
