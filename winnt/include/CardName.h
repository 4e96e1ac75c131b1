/*
 * CardName.h - what a KVT card name is: 1 to 31 letters and digits ("KVT1").
 * The one rule that the card library (MirvoOpen), the simulated card's
 * driver and tool, and the kit's programs apply. C++, header-only: no
 * platform calls, no allocation, so kernel code can use it as well.
 */
#ifndef CARDNAME_H
#define CARDNAME_H

#ifdef __cplusplus

#include <stddef.h>

namespace kvtcard {

/* A card name has 1..kMaxNameLength letters and digits. */
constexpr int kMaxNameLength = 31;

/* The `length` characters at `name` are a card name: letters and digits
 * only (a zero inside is neither), 1..31 of them; anything else could name
 * a path, not a card. */
template <typename Char>
constexpr bool IsCardName(const Char *name, size_t length) {
    if (!name || length == 0 || length > size_t(kMaxNameLength)) return false;
    for (size_t i = 0; i < length; ++i) {
        const Char c = name[i];
        const bool alnum = (c >= Char('0') && c <= Char('9')) || (c >= Char('A') && c <= Char('Z')) ||
                           (c >= Char('a') && c <= Char('z'));
        if (!alnum) return false;
    }
    return true;
}

/* The same for a zero-terminated name. */
template <typename Char>
constexpr bool IsCardName(const Char *name) {
    if (!name) return false;
    size_t length = 0;
    while (name[length] && length <= size_t(kMaxNameLength)) ++length;
    return IsCardName(name, length);
}

}  // namespace kvtcard

#endif /* __cplusplus */

#endif /* CARDNAME_H */
