// Reads a compiled dialog template (DIALOG, not DIALOGEX) back from a built
// program, so a test can check what the resource compiler made of a script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uiauto {

// A name or an ordinal, as the template stores menus, classes and texts.
struct NameOrOrdinal {
    std::string name;  // when not an ordinal
    WORD ordinal = 0;  // nonzero: an ordinal (a predefined class: 0x80 button, 0x82 static, ...)
};

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;  // -1 reads as 0xFFFF
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    WORD extraBytes = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::string caption;
    WORD pointSize = 0;  // with DS_SETFONT
    std::string font;
    std::vector<DialogItem> items;
};

// Parses the bytes of an RT_DIALOG resource. `error` says what was wrong.
bool ParseDialogTemplate(const void *data, size_t size, DialogTemplate &dialog, std::string &error);

// Loads `program` as a data file and reads its dialog template `name`.
bool ReadDialogTemplate(const std::string &program, const char *name, DialogTemplate &dialog,
                        std::string &error);

// The bytes of any resource of `program` ("" with `error` when missing).
std::string ReadResource(const std::string &program, LPCSTR name, LPCSTR type, std::string &error);

// One image of an icon group: what the group's entry says and the image's
// own bitmap header (its height counts the image and its mask).
struct IconImage {
    int width = 0, height = 0;
    int colours = 0;   // 16 for 4 bits per pixel, 0 for 8 or more
    int bitCount = 0;
    BITMAPINFOHEADER bitmap = {};
    size_t bytes = 0;  // of the RT_ICON resource
};

// The images of icon group `name` of `program`, in order (empty with `error`).
std::vector<IconImage> ReadIconGroup(const std::string &program, LPCSTR name, std::string &error);

}  // namespace uiauto
