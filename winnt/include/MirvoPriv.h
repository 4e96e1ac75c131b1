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

/* The driver's service key under HKEY_LOCAL_MACHINE: its "ConfigState" and
 * one subkey per used card slot, named by the slot number ("0".."31"). */
#define MIRVO_SERVICE_NAME "Mirvo"
#define MIRVO_SERVICE_KEY "System\\CurrentControlSet\\Services\\" MIRVO_SERVICE_NAME

MIRVOAPI DWORD WINAPI MirvoGetCardAddr(LONG index);
MIRVOAPI LONG WINAPI MirvoDetect(DWORD address, DWORD *state);
MIRVOAPI LONG WINAPI MirvoSetup(HWND owner, LPCSTR cardName, LONG mode);

#ifdef __cplusplus
}
#endif

#endif /* MIRVOPRIV_H */
