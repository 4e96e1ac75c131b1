/*
 * mirvo.h - reader entries of the KVT card access library, Mirvo.dll.
 *
 * Every entry is stdcall and returns a 32-bit value. A card handle is a
 * 32-bit platform handle; exactly -1 means the card could not be opened.
 * After a zero result, GetLastError() gives the reason.
 */
#ifndef MIRVO_H
#define MIRVO_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef MIRVOAPI
#define MIRVOAPI DECLSPEC_IMPORT
#endif

/* Value MirvoOpen returns when the device cannot be opened. */
#define MIRVO_INVALID_CARD ((LONG)-1)

/* Size of the text buffer that MirvoGetErrorMsg fills. */
#define MIRVO_ERROR_TEXT_SIZE 256

/* The four-channel weight record: channel 1 first, 16 bytes. */
typedef struct MIRVO_WEIGHTS4 {
    float Channel[4];
} MIRVO_WEIGHTS4;

MIRVOAPI LONG WINAPI MirvoOpen(LPCSTR deviceName);
MIRVOAPI LONG WINAPI MirvoInit(LONG card);
MIRVOAPI LONG WINAPI MirvoFinish(LONG card);
MIRVOAPI LONG WINAPI MirvoGetCurrentWeight4(LONG card, MIRVO_WEIGHTS4 *weights);
MIRVOAPI LONG WINAPI MirvoGetErrorMsg(DWORD errorCode, LPSTR text, LONG textSize);

#ifdef __cplusplus
}
#endif

#endif /* MIRVO_H */
