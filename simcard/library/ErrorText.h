// How a library error text goes into the caller's buffer. Pure.
#pragma once

#include <stddef.h>

namespace mirvo {

// Copies the `length` bytes of `text` into `buffer` of `size` bytes and
// never writes past it: a shorter text gets its terminating zero; a text that
// fills the buffer exactly is copied whole without one (callers cope with
// that); a longer text is cut to size - 1 bytes and a zero. False, writing
// nothing, for no buffer or a size below 1.
bool CopyErrorText(const unsigned char *text, size_t length, char *buffer, long size);

// The same for a text that arrives in a reply's array of `capacity` bytes
// with a length the driver claims: the claim is never trusted past the array.
bool CopyReplyText(const unsigned char *text, size_t capacity, unsigned long claimedLength,
                   char *buffer, long size);

}  // namespace mirvo
