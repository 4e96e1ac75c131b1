#include "Setup.h"

namespace mirvo {

// Built with the configuration utility's side of the simulation.
LONG Detect(DWORD, DWORD *) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

LONG Setup(HWND, LPCSTR, LONG) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

}  // namespace mirvo
