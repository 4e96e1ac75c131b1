// A service that runs and accepts no control: stands in for a driver that
// refuses to stop. It ends when its Wine prefix is torn down.
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE statusHandle;

DWORD WINAPI IgnoreControls(DWORD, DWORD, void *, void *) { return ERROR_CALL_NOT_IMPLEMENTED; }

void WINAPI RefusingServiceMain(DWORD, char **) {
    statusHandle = RegisterServiceCtrlHandlerExA("Mirvo", IgnoreControls, nullptr);
    if (!statusHandle) return;
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = SERVICE_RUNNING;
    status.dwControlsAccepted = 0;
    SetServiceStatus(statusHandle, &status);
    Sleep(INFINITE);
}

}  // namespace

int main() {
    char name[] = "Mirvo";
    SERVICE_TABLE_ENTRYA table[] = {{name, RefusingServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
