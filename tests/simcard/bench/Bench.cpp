// kvtbench.exe: reads per second through MirvoGetCurrentWeight4 against the
// same number of bare DeviceIoControl round trips to the same device, in one
// run, and the library's overhead. Not a test: timing depends on the machine.
// Run it in a fresh prefix: it installs and starts the driver from the kit.
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "KvtSimIoctl.h"
#include "SimCard.h"
#include "UniqueHandle.h"
#include "mirvo.h"

namespace {

double Seconds(const LARGE_INTEGER &from, const LARGE_INTEGER &to, const LARGE_INTEGER &frequency) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char **argv) {
    const long reads = argc > 1 ? atol(argv[1]) : 10000;
    const long block = 50;
    if (reads < block) {
        fputs("usage: kvtbench [reads of each kind, at least 50 (10000)]\n", stderr);
        return 2;
    }
    const std::string failure = simcard::InstallAndStartDriver();
    if (!failure.empty()) {
        fprintf(stderr, "kvtbench: cannot start the simulated card's driver: %s\n", failure.c_str());
        return 1;
    }
    const kit::CardHandle card(MirvoOpen("KVT1"));
    if (!card) {
        fprintf(stderr, "kvtbench: cannot open KVT1 (error %lu)\n", GetLastError());
        return 1;
    }
    const HANDLE device = reinterpret_cast<HANDLE>(LONG_PTR(card.get()));
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);

    auto libraryBlock = [&]() {
        MIRVO_WEIGHTS4 weights;
        for (long i = 0; i < block; ++i)
            if (!MirvoGetCurrentWeight4(card.get(), &weights)) return false;
        return true;
    };
    auto bareBlock = [&]() {
        KVTSIM_WEIGHTS_REPLY reply;
        DWORD returned;
        for (long i = 0; i < block; ++i)
            if (!DeviceIoControl(device, IOCTL_KVTSIM_READ_WEIGHTS, nullptr, 0, &reply,
                                 sizeof reply, &returned, nullptr))
                return false;
        return true;
    };

    // Short blocks of each kind, alternating which goes first, so the load of
    // a shared machine falls on both alike.
    double library = 0, bare = 0;
    const long blocks = reads / block;
    for (long b = 0; b < blocks; ++b) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool libraryTurn = (turn == 0) == (b % 2 == 0);
            QueryPerformanceCounter(&t0);
            const bool ok = libraryTurn ? libraryBlock() : bareBlock();
            QueryPerformanceCounter(&t1);
            if (!ok) {
                fprintf(stderr, "kvtbench: a read failed (error %lu)\n", GetLastError());
                return 1;
            }
            (libraryTurn ? library : bare) += Seconds(t0, t1, frequency);
        }
    }
    const double count = double(blocks * block);
    printf("reads of each kind:     %.0f\n", count);
    printf("MirvoGetCurrentWeight4: %.0f reads/s (%.1f us each)\n", count / library,
           1e6 * library / count);
    printf("bare DeviceIoControl:   %.0f round trips/s (%.1f us each)\n", count / bare,
           1e6 * bare / count);
    printf("library overhead:       %.1f %%\n", 100.0 * (library - bare) / bare);
    return 0;
}
