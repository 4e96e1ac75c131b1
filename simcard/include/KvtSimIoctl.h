/*
 * KvtSimIoctl.h - the one contract between the simulated KVT card's driver
 * (Mirvo.sys), its library (Mirvo.dll), its scripting tool and the tests:
 * device names, control codes, request and reply layouts, registry names.
 *
 * The kernel side includes <ntddk.h> first; user mode gets <windows.h>.
 */
#ifndef KVTSIMIOCTL_H
#define KVTSIMIOCTL_H

#ifndef CTL_CODE
#include <windows.h>
#include <winioctl.h>
#endif

/* ---- Devices ---------------------------------------------------------- */

/* Each simulated card is the device \Device\<card> with the link
 * \DosDevices\<card>; user mode opens it as \\.\<card> ("\\\\.\\KVT1").
 * The control device answers requests that belong to no card. */
#define KVTSIM_CONTROL_DEVICE   L"\\Device\\KvtSim"
#define KVTSIM_CONTROL_LINK     L"\\DosDevices\\KvtSim"
#define KVTSIM_CONTROL_PATH     "\\\\.\\KvtSim"
#define KVTSIM_DEVICE_PREFIX    L"\\Device\\"
#define KVTSIM_LINK_PREFIX      L"\\DosDevices\\"
#define KVTSIM_USER_PREFIX      "\\\\.\\"

/* What a card name is: KvtCardRules.h. */

/* ---- Control codes ---------------------------------------------------- */

/* Device types from 0x8000 and function numbers from 0x800 are the
 * vendor's own. */
#define KVTSIM_DEVICE_TYPE 0x8000u

/* Card devices. IOCTL_KVTSIM_OPEN is the first request on a new handle: it
 * tells whether the card accepts the open (a create request cannot refuse
 * under every platform: some queue it and report success at once). */
#define IOCTL_KVTSIM_OPEN \
    CTL_CODE(KVTSIM_DEVICE_TYPE, 0x803, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_KVTSIM_INIT \
    CTL_CODE(KVTSIM_DEVICE_TYPE, 0x800, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_KVTSIM_FINISH \
    CTL_CODE(KVTSIM_DEVICE_TYPE, 0x801, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_KVTSIM_READ_WEIGHTS \
    CTL_CODE(KVTSIM_DEVICE_TYPE, 0x802, METHOD_BUFFERED, FILE_ANY_ACCESS)

/* Control device. */
#define IOCTL_KVTSIM_GET_ERROR_TEXT \
    CTL_CODE(KVTSIM_DEVICE_TYPE, 0x810, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_KVTSIM_DETECT \
    CTL_CODE(KVTSIM_DEVICE_TYPE, 0x811, METHOD_BUFFERED, FILE_ANY_ACCESS)

/* ---- Request and reply layouts ---------------------------------------- */

/* The outcome of a card operation. A scripted failure carries the caller's
 * last-error value unchanged (any 32-bit value, 0 included), which an
 * NTSTATUS could not: the request itself succeeds and says Ok = 0. */
typedef struct KVTSIM_RESULT {
    ULONG Ok;
    ULONG LastError;
} KVTSIM_RESULT;

/* IOCTL_KVTSIM_OPEN, IOCTL_KVTSIM_INIT, IOCTL_KVTSIM_FINISH: no input,
 * KVTSIM_RESULT out. A refused open says ERROR_DEVICE_NOT_CONNECTED. */
#define KVTSIM_OPEN_REFUSED_ERROR 1167

/* IOCTL_KVTSIM_READ_WEIGHTS: no input. The weights are IEEE single
 * bit patterns, channel 1 first: the driver does no floating point. */
typedef struct KVTSIM_WEIGHTS_REPLY {
    KVTSIM_RESULT Result;
    ULONG WeightBits[4];
} KVTSIM_WEIGHTS_REPLY;

/* IOCTL_KVTSIM_GET_ERROR_TEXT: the text of a code, exactly its bytes,
 * with no terminating zero. */
#define KVTSIM_MAX_ERROR_TEXT 256
typedef struct KVTSIM_ERROR_TEXT_REQUEST {
    ULONG Code;
} KVTSIM_ERROR_TEXT_REQUEST;
typedef struct KVTSIM_ERROR_TEXT_REPLY {
    ULONG Found;   /* 0: the code has no text */
    ULONG Length;  /* 0..KVTSIM_MAX_ERROR_TEXT */
    UCHAR Text[KVTSIM_MAX_ERROR_TEXT];
} KVTSIM_ERROR_TEXT_REPLY;

/* IOCTL_KVTSIM_DETECT: what sits at a card address. */
typedef struct KVTSIM_DETECT_REQUEST {
    ULONG Address;
} KVTSIM_DETECT_REQUEST;
typedef struct KVTSIM_DETECT_REPLY {
    KVTSIM_RESULT Result;
    ULONG State;   /* KVTSIM_DETECT_* */
} KVTSIM_DETECT_REPLY;

#define KVTSIM_DETECT_NOTHING      0  /* no simulated card at the address */
#define KVTSIM_DETECT_CONFIGURED   1  /* a card, and a slot holds its address */
#define KVTSIM_DETECT_NEW_CARD     4  /* a card that no slot holds yet */

/* ---- Registry --------------------------------------------------------- */

/* Scripting, under HKEY_LOCAL_MACHINE (see simcard/README.md). The names
 * are plain strings; the kernel side widens them with KVTSIM_WIDE. */
#define KVTSIM_WIDE_(s) L##s
#define KVTSIM_WIDE(s) KVTSIM_WIDE_(s)

/* 64-bit Windows (and Wine) splits HKLM\SOFTWARE into a 32-bit and a 64-bit
 * view: a 32-bit kvtsim, library or driver would script a card the 64-bit
 * driver never sees. Every side opens the script's keys in the native view;
 * systems without the split ignore the flag. */
#define KVTSIM_REG_VIEW          KEY_WOW64_64KEY
#define KVTSIM_REG_ROOT          "SOFTWARE\\KvtSim"
#define KVTSIM_REG_CARDS         "SOFTWARE\\KvtSim\\Cards"
#define KVTSIM_REG_ERROR_TEXTS   "SOFTWARE\\KvtSim\\ErrorTexts"
#define KVTSIM_VAL_TRACE_FILE    "TraceFile"
#define KVTSIM_VAL_REFUSE_STOP   "RefuseStop"
#define KVTSIM_VAL_FAIL_START    "FailStart"
#define KVTSIM_VAL_DETECT_FAIL_ADDRESS "DetectFailAddress"
#define KVTSIM_VAL_DETECT_ERROR  "DetectError"
#define KVTSIM_VAL_WEIGHTS       "Weights"
#define KVTSIM_VAL_OPEN_FAILS    "OpenFails"
#define KVTSIM_VAL_INIT_ERROR    "InitError"
#define KVTSIM_VAL_FINISH_ERROR  "FinishError"
#define KVTSIM_VAL_READ_ERROR    "ReadError"
#define KVTSIM_VAL_ADDRESS       "Address"

/* The driver's own key and its card slots (written by the configuration
 * utility, states written back by the driver). */
#define KVTSIM_REG_SERVICE       "System\\CurrentControlSet\\Services\\Mirvo"
#define KVTSIM_VAL_CONFIG_STATE  "ConfigState"

/* The card that exists when no Cards key does. */
#define KVTSIM_DEFAULT_CARD      "KVT1"
#define KVTSIM_DEFAULT_ADDRESS   0x3A0

#endif /* KVTSIMIOCTL_H */
