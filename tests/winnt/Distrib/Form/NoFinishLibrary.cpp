// A Mirvo.dll without MirvoFinish, for Mirvo_vb's binding test: one card
// that opens, initialises, and reads 1.5, 0, -2.25 and 100 at every other
// call (the simulated card cannot change its answer while a program runs).
#include <windows.h>

namespace {
int reads = 0;
}

extern "C" {

__declspec(dllexport) LONG WINAPI MirvoOpen(const char *) { return 0x1234; }
__declspec(dllexport) LONG WINAPI MirvoInit(LONG) { return 1; }
__declspec(dllexport) LONG WINAPI MirvoGetCurrentWeight4(LONG, float *weights) {
    if (++reads % 2 == 0) {
        SetLastError(ERROR_GEN_FAILURE);
        return 0;
    }
    const float fixed[4] = {1.5f, 0.0f, -2.25f, 100.0f};
    for (int i = 0; i < 4; ++i) weights[i] = fixed[i];
    return 1;
}
}
