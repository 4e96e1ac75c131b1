#include "TraceFormat.h"

#include <stdio.h>

namespace mirvo {

std::string Hex8(DWORD value) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string Decimal(LONG value) {
    char text[16];
    snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    return text;
}

std::string Quoted(const char *text) {
    if (!text) return "NULL";
    const size_t limit = 64;
    std::string quoted = "\"";
    size_t i = 0;
    for (; text[i] && i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        quoted += (c < 0x20 || c >= 0x7F || c == '"') ? '?' : char(c);
    }
    quoted += '"';
    if (text[i]) quoted += "...";
    return quoted;
}

std::string Pointer(const void *pointer) { return pointer ? "buffer" : "NULL"; }

std::string Weights(const float (&channel)[4]) {
    char text[160];
    snprintf(text, sizeof text, "weights=%g %g %g %g", double(channel[0]), double(channel[1]),
             double(channel[2]), double(channel[3]));
    return text;
}

std::string TraceLine(const char *entry, std::initializer_list<std::string> arguments,
                      const std::string &result, const std::string &detail, bool failed,
                      DWORD lastError) {
    std::string line = entry;
    line += '(';
    const char *separator = "";
    for (const std::string &argument : arguments) {
        line += separator;
        line += argument;
        separator = ", ";
    }
    line += ") = ";
    line += result;
    if (!detail.empty()) line += ' ' + detail;
    if (failed) line += " error=" + Hex8(lastError);
    line += "\r\n";
    return line;
}

}  // namespace mirvo
