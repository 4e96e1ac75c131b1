#include "ErrorText.h"

#include <string.h>

namespace mirvo {

bool CopyErrorText(const unsigned char *text, size_t length, char *buffer, long size) {
    if (!buffer || size < 1) return false;
    const size_t room = size_t(size);
    if (length < room) {
        memcpy(buffer, text, length);
        buffer[length] = 0;
    } else if (length == room) {
        memcpy(buffer, text, length);
    } else {
        memcpy(buffer, text, room - 1);
        buffer[room - 1] = 0;
    }
    return true;
}

}  // namespace mirvo
