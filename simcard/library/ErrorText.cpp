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

bool CopyReplyText(const unsigned char *text, size_t capacity, unsigned long claimedLength,
                   char *buffer, long size) {
    const size_t length = claimedLength < capacity ? size_t(claimedLength) : capacity;
    return CopyErrorText(text, length, buffer, size);
}

}  // namespace mirvo
