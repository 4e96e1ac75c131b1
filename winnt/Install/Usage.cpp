#include "Usage.h"

#include "Console.h"

namespace installation {

std::vector<std::string> UsageLines() {
    return {
        "",
        "INSTALL.EXE  Qorim KVT driver kit  Usage guide",
        "This program installs Mirvo, the driver for the Qorim KVT ",
        "four channel high-speed loadcell interface card. Usage:",
        "",
        "Install [-i] [-x] [-y] [-f]",
        "",
        "command line options:",
        "  -i  Install the drivers from the directory from which ",
        "      install.exe is running",
        "  -x  Uninstall the driver (this will delete driver files ",
        "      and clean up the registry)",
        "  -y  Do not pause after install/uninstall (use this option ",
        "      if calling install.exe from your own installation program)",
        "  -f  Do not copy files. (Use this option if your own install ",
        "      program will copy Mirvo.sys to System32\\Drivers and ",
        "      Mirvo.dll to System32 prior to running install",
        "",
        "Please read the installation section of Mirvo_nt.doc",
        "before installing anything.",
    };
}

void ShowUsage() {
    for (const std::string &line : UsageLines()) WriteLine(line);
}

}  // namespace installation
