/* A kernel driver that only loads and unloads: the installer tests need a
 * Mirvo.sys that starts, whether or not the simulated card's is built. */
#include <ntddk.h>

static void StandInUnload(PDRIVER_OBJECT driver) { (void)driver; }

NTSTATUS DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    (void)registryPath;
    driver->DriverUnload = StandInUnload;
    return STATUS_SUCCESS;
}
