// kvtbench.exe: in one run, for the same number of readings each, (a) bare
// DeviceIoControl round trips to the card's device, (b) reads through
// MirvoGetCurrentWeight4 and (c) the kit's kvtlog.exe reading as fast as the
// card answers into a CSV file; the library's overhead over (a) and
// kvtlog's rate as a share of (a)'s. Interleaved: rounds, each a part of
// every kind in turns, so that the load of a shared machine falls on all
// alike. Not a test: timing depends on the machine.
// Run it in a fresh prefix: it installs and starts the driver from the kit.
#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KitPaths.h"
#include "KvtSimIoctl.h"
#include "SimCard.h"
#include "UniqueHandle.h"
#include "mirvo.h"

namespace {

double Seconds(const LARGE_INTEGER &from, const LARGE_INTEGER &to, const LARGE_INTEGER &frequency) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// One run of kvtlog.exe from the kit: `count` readings as fast as the card
// answers into `file`. Returns the span from its first reading to its last
// (the time column), the time its readings took; 0 when it failed or wrote
// other than `count` whole lines.
double KvtlogRun(long count, const std::string &file, double &wallSeconds) {
    const std::string program = kit::KitPath("kvtlog.exe");
    std::string commandLine = "\"" + program + "\" -n " + std::to_string(count) + " -w -o \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    const HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inheritable, OPEN_EXISTING, 0, nullptr);
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        CloseHandle(nul);
        fprintf(stderr, "kvtbench: cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&t1);
    wallSeconds = Seconds(t0, t1, frequency);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(nul);
    if (code != 0) {
        fprintf(stderr, "kvtbench: kvtlog ended with %lu\n", code);
        return 0;
    }
    std::ifstream in(file, std::ios::binary);
    std::string line, first, last;
    long lines = -1;  // the header
    while (std::getline(in, line)) {
        if (line.empty() || line.back() != '\r' || line.find(",,") != std::string::npos) return 0;
        if (lines == 0) first = line;
        last = line;
        ++lines;
    }
    if (lines != count) {
        fprintf(stderr, "kvtbench: kvtlog wrote %ld readings, not %ld\n", lines, count);
        return 0;
    }
    // The time column: seconds since its start, a point as decimal sign.
    std::istringstream firstTime(first), lastTime(last);
    firstTime.imbue(std::locale::classic());
    lastTime.imbue(std::locale::classic());
    double from = 0, to = 0;
    firstTime >> from;
    lastTime >> to;
    // count - 1 spacings between count readings: scaled to count readings.
    return count > 1 ? (to - from) * double(count) / double(count - 1) : 0;
}

}  // namespace

int main(int argc, char **argv) {
    const long reads = argc > 1 ? atol(argv[1]) : 10000;
    const long block = 50;
    const long rounds = argc > 2 ? atol(argv[2]) : 10;
    if (reads < block || rounds < 1 || reads / block < rounds) {
        fputs("usage: kvtbench [reads of each kind, at least 50 (10000)] [rounds (10)]\n", stderr);
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

    // Rounds: in each, a share of the blocks of (a) and (b) alternating which
    // goes first, and one kvtlog run of the same number of readings, its
    // place among them turning from round to round.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string csv = std::string(temp) + "kvtbench.csv";
    double library = 0, bare = 0, kvtlog = 0, kvtlogWall = 0;
    const long blocks = reads / block;
    const long blocksPerRound = blocks / rounds;
    long blocksDone = 0;
    for (long r = 0; r < rounds; ++r) {
        const long roundBlocks = r + 1 == rounds ? blocks - blocksDone : blocksPerRound;
        blocksDone += roundBlocks;
        const long kvtlogTurn = r % 3;  // before, amid or after the blocks
        for (long b = 0; b <= roundBlocks; ++b) {
            if (b == (kvtlogTurn == 0 ? 0 : kvtlogTurn == 1 ? roundBlocks / 2 : roundBlocks)) {
                double wall = 0;
                const double span = KvtlogRun(roundBlocks * block, csv, wall);
                if (span <= 0) return 1;
                kvtlog += span;
                kvtlogWall += wall;
            }
            if (b == roundBlocks) break;
            for (int turn = 0; turn < 2; ++turn) {
                const bool libraryTurn = (turn == 0) == ((blocksDone + b) % 2 == 0);
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
    }
    DeleteFileA(csv.c_str());
    const double count = double(blocks * block);
    printf("readings of each kind:     %.0f in %ld rounds\n", count, rounds);
    printf("(a) bare DeviceIoControl:  %.0f round trips/s (%.1f us each)\n", count / bare, 1e6 * bare / count);
    printf("(b) MirvoGetCurrentWeight4: %.0f reads/s (%.1f us each)\n", count / library, 1e6 * library / count);
    printf("(c) kvtlog to a CSV file:  %.0f readings/s (%.1f us each; %.0f/s with its %ld starts)\n",
           count / kvtlog, 1e6 * kvtlog / count, count / kvtlogWall, rounds);
    printf("library overhead:          %.1f %%\n", 100.0 * (library - bare) / bare);
    printf("(b) / (a):                 %.1f %%\n", 100.0 * bare / library);
    printf("(c) / (a):                 %.1f %%\n", 100.0 * bare / kvtlog);
    return 0;
}
