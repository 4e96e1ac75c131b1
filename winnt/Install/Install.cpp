// INSTALL.EXE: puts the KVT card's driver in place, or takes it away again.
// A console program; its exit status is 0 on every path it handles.
#include "Console.h"
#include "RunInstaller.h"

int main() {
    try {
        installation::RunInstaller();
    } catch (const installation::OutputLost &) {
        // Nobody can be told anything any more.
        return 3;
    }
    return 0;
}
