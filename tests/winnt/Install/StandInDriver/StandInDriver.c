/* A kernel driver that only loads and unloads: the installer tests need a
 * Mirvo.sys that starts, whether or not the simulated card's is built.
 * Both functions are called by the kernel: stdcall (NTAPI), which the 32-bit
 * build decorates, so its entry symbol is _DriverEntry@8. */
#include <ntddk.h>

static VOID NTAPI StandInUnload(PDRIVER_OBJECT driver) { (void)driver; }

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    (void)registryPath;
    driver->DriverUnload = StandInUnload;
    return STATUS_SUCCESS;
}
