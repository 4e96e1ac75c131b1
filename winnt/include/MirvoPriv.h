/*
 * MirvoPriv.h - configuration entries of Mirvo.dll, used by the
 * configuration utility only.
 */
#ifndef MIRVOPRIV_H
#define MIRVOPRIV_H

#include "mirvo.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Detection state of a card that is present and not yet configured. */
#define MIRVO_DETECT_NEW_CARD 4

/* Number of candidate card addresses (and of card slots). */
#define MIRVO_MAX_CARDS 32

MIRVOAPI DWORD WINAPI MirvoGetCardAddr(LONG index);
MIRVOAPI LONG WINAPI MirvoDetect(DWORD address, DWORD *state);
MIRVOAPI LONG WINAPI MirvoSetup(HWND owner, LPCSTR cardName, LONG mode);

#ifdef __cplusplus
}
#endif

#endif /* MIRVOPRIV_H */
