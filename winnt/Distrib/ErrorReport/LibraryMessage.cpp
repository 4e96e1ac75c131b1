#include "LibraryMessage.h"

#include <cstring>

#include "mirvo.h"

namespace mirvo_dw32 {

std::string LibraryMessage(DWORD code) {
    char text[MIRVO_ERROR_TEXT_SIZE];
    if (!MirvoGetErrorMsg(code, text, sizeof text)) return "none";
    // The library may fill all 256 bytes and leave no zero.
    const void *end = std::memchr(text, '\0', sizeof text);
    return std::string(text, end ? static_cast<const char *>(end) - text : sizeof text);
}

}  // namespace mirvo_dw32
