// The lines the installer is expected to write.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace installtest {

using Lines = std::vector<std::string>;

// The lines a reported system error takes: the system's own text ends with a
// line break, so an empty line follows it.
inline Lines SystemTextLines(DWORD code) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                   nullptr);
    std::string line(text);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return {line, ""};
}

// The system's text as it stands inside a failure message.
inline std::string TrimmedSystemText(DWORD code) {
    std::string text = SystemTextLines(code)[0];
    while (!text.empty() && (static_cast<unsigned char>(text.back()) < 33 || text.back() == '.')) text.pop_back();
    return text;
}

inline Lines operator+(Lines a, const Lines &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The first or last `count` lines (fewer when there are fewer).
inline Lines Head(const Lines &lines, size_t count) {
    return Lines(lines.begin(), lines.begin() + static_cast<long>(count < lines.size() ? count : lines.size()));
}
inline Lines Tail(const Lines &lines, size_t count) {
    return Lines(lines.end() - static_cast<long>(count < lines.size() ? count : lines.size()), lines.end());
}

inline const Lines kQuestion = {
    "This will remove the drivers for the Qorim 4 channel loadcell card",
    "Applications using this card will not longer work correctly",
    "Do you wish to continue? [Y/N]",
};

inline const char kInstallComplete[] = "Installation complete. Use Configkvt to configure cards";
inline const char kNotNT4[] = "Could not install: Mirvo.sys can only be installed on Windows NT version 4.0 or higher";

}  // namespace installtest
