#include "SimCard.h"

#include <fstream>

#include "KitPaths.h"
#include "KvtSimIoctl.h"
#include "Launch.h"
#include "Registry.h"
#include "SimScript.h"
#include "UniqueHandle.h"
#include "ServiceManager.h"
#include "WaitUntil.h"

namespace simcard {

namespace {

const char kService[] = "Mirvo";
const DWORD kWaitMs = 10000;
const DWORD kInstallMs = 60000;

std::string Failure(const std::string &what) {
    return what + " failed, error " + std::to_string(GetLastError());
}

kvtsim::Fault FaultOf(Entry entry) {
    switch (entry) {
    case Entry::Open: return kvtsim::Fault::Open;
    case Entry::Init: return kvtsim::Fault::Init;
    case Entry::Finish: return kvtsim::Fault::Finish;
    case Entry::ReadWeights: return kvtsim::Fault::Read;
    }
    return kvtsim::Fault::Open;
}

// Waits, bounded, for the service to reach `state`.
bool WaitForState(SC_HANDLE service, DWORD state) {
    return kit_test::WaitUntil(
        [&] {
            SERVICE_STATUS status;
            return QueryServiceStatus(service, &status) && status.dwCurrentState == state;
        },
        kWaitMs);
}

std::string ControlDriver(bool start) {
    const kit::ServiceHandle service = testsvc::OpenMirvoService(SERVICE_ALL_ACCESS);
    if (!service) return Failure("OpenService(Mirvo)");
    if (start) {
        // The driver's host is a process of its own, which Wine starts.
        if (!launch::StartOnceMoreIfWineEndedIt("StartService(Mirvo)",
                                                [&] { return StartServiceA(service.get(), 0, nullptr) != FALSE; }) &&
            GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
            return Failure("StartService(Mirvo)");
        if (!WaitForState(service.get(), SERVICE_RUNNING)) return "Mirvo did not reach running";
    } else {
        SERVICE_STATUS status;
        if (!ControlService(service.get(), SERVICE_CONTROL_STOP, &status) &&
            GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
            return Failure("ControlService(Mirvo, stop)");
        if (!WaitForState(service.get(), SERVICE_STOPPED)) return "Mirvo did not stop";
    }
    return "";
}

// The machine a PE image is built for (IMAGE_FILE_MACHINE_...), 0 when unreadable.
WORD ImageMachine(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    IMAGE_DOS_HEADER dos = {};
    DWORD signature = 0;
    IMAGE_FILE_HEADER header = {};
    if (!file.read(reinterpret_cast<char *>(&dos), sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !file.seekg(dos.e_lfanew) || !file.read(reinterpret_cast<char *>(&signature), sizeof signature) ||
        signature != IMAGE_NT_SIGNATURE || !file.read(reinterpret_cast<char *>(&header), sizeof header))
        return 0;
    return header.Machine;
}

// A 64-bit driver under a 32-bit program (a 32-bit test on 64-bit Windows):
// its file belongs in the native drivers folder, which 32-bit code reaches as
// "sysnative" (its "system32" is the 32-bit one).
bool IsForeign64BitDriver(const std::string &image) {
    return sizeof(void *) == 4 && ImageMachine(image) == IMAGE_FILE_MACHINE_AMD64;
}

std::string NativeSystemDir() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\sysnative";
}

// Wine hosts a driver in a device host of the bitness of the program that
// registered its service, so a 64-bit driver is registered by the 64-bit sc.
std::string CreateServiceNatively(const std::string &target) {
    std::string command = NativeSystemDir() + "\\sc.exe create " + kService +
                          " type= kernel start= demand error= normal binPath= " + target;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return Failure(command);
    const kit::KernelHandle thread(process.hThread), sc(process.hProcess);
    DWORD exitCode = 1;
    if (WaitForSingleObject(sc.get(), kWaitMs) == WAIT_OBJECT_0) GetExitCodeProcess(sc.get(), &exitCode);
    return exitCode == 0 || exitCode == ERROR_SERVICE_EXISTS
               ? ""
               : command + " ended with " + std::to_string(exitCode);
}

}  // namespace

std::string DriversDir() {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\drivers";
}

std::string InstallDriver() {
    const std::string image = kit::KitPath("Mirvo.sys");
    const bool native = IsForeign64BitDriver(image);
    const std::string copy = (native ? NativeSystemDir() + "\\drivers" : DriversDir()) + "\\Mirvo.sys";
    if (!CopyFileA(image.c_str(), copy.c_str(), FALSE)) return Failure("copying Mirvo.sys to " + copy);
    // The service names the file as the (native) service manager sees it.
    const std::string target = DriversDir() + "\\Mirvo.sys";
    if (native) return CreateServiceNatively(target);
    return testsvc::CreateMirvoService(target);
}

std::string SlotPath(int slot) { return std::string(KVTSIM_REG_SERVICE) + "\\" + std::to_string(slot); }

std::string ConfigureSlot(int slot, DWORD address) {
    const std::string path = SlotPath(slot);
    const LONG error = testreg::WriteDword(path, KVTSIM_VAL_ADDRESS, address);
    return error ? "writing " + path + "\\Address failed, error " + std::to_string(error) : "";
}

std::string InstallAndStartDriver() {
    std::string failure = InstallDriver();
    const std::string path = SlotPath(0);
    if (failure.empty() && !testreg::KeyExists(path)) failure = ConfigureSlot(0, KVTSIM_DEFAULT_ADDRESS);
    if (failure.empty()) failure = StartDriver();
    return failure;
}

std::string RunInstaller(const std::string &folder, const std::string &options) {
    const std::string installer = folder + "\\INSTALL.EXE";
    STARTUPINFOA startup = {};
    const launch::Started started = launch::Start(installer, options, folder, startup);
    if (!started.process) return started.error;
    const std::optional<DWORD> exitCode = launch::WaitForExit(started.process.get(), kInstallMs);
    if (!exitCode) {
        launch::Kill(started.process.get(), 99, kWaitMs);
        return installer + " " + options + " did not end within " + std::to_string(kInstallMs / 1000) + " s";
    }
    return *exitCode ? installer + " " + options + " ended with " + std::to_string(*exitCode) : "";
}

std::string ConfigureFirstCardAndReload() {
    std::string failure = ConfigureSlot(0, KVTSIM_DEFAULT_ADDRESS);
    if (failure.empty()) failure = StopDriver();
    if (failure.empty()) failure = StartDriver();
    return failure;
}

std::string StopDriver() { return ControlDriver(false); }
std::string StartDriver() { return ControlDriver(true); }

void SetWeights(const std::string &card, float ch1, float ch2, float ch3, float ch4) {
    const float weights[4] = {ch1, ch2, ch3, ch4};
    kvtsim::SetWeights(card, weights);
}

void SetFault(const std::string &card, Entry entry, DWORD lastError) {
    kvtsim::SetFault(card, FaultOf(entry), lastError);
}

void SetErrorText(DWORD code, const std::string &bytes) { kvtsim::SetErrorText(code, bytes); }

void SetCardAddress(const std::string &card, DWORD address) { kvtsim::SetCardAddress(card, address); }
void SetDetectFault(DWORD address, DWORD lastError) { kvtsim::SetDetectFault(address, lastError); }
void SetRefuseStop(bool on) { kvtsim::SetSwitch(KVTSIM_VAL_REFUSE_STOP, on); }
void SetFailStart(bool on) { kvtsim::SetSwitch(KVTSIM_VAL_FAIL_START, on); }
void ClearScript() { kvtsim::ClearAll(); }

std::string WriteScriptValue(const std::string &path, const char *name, DWORD type,
                             const std::vector<BYTE> &data) {
    kit::RegKey key;
    LONG error = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                 KEY_ALL_ACCESS | KVTSIM_REG_VIEW, nullptr, key.receive(), nullptr);
    if (!error) error = RegSetValueExA(key.get(), name, 0, type, data.data(), DWORD(data.size()));
    return error ? "writing " + path + "\\" + name + " failed, error " + std::to_string(error) : "";
}

std::optional<testreg::Value> ReadScriptValue(const std::string &path, const char *name) {
    kit::RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KVTSIM_REG_VIEW, key.receive()))
        return std::nullopt;
    testreg::Value value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size)) return std::nullopt;
    value.data.resize(size);
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, value.data.data(), &size))
        return std::nullopt;
    value.data.resize(size);
    return value;
}

void EnableTrace(const std::string &path) { kvtsim::SetTraceFile(path); }
void DisableTrace() { kvtsim::RemoveTraceFile(); }

std::vector<std::string> ReadTrace(const std::string &path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> TracedEntries(const std::string &path) {
    std::vector<std::string> entries;
    for (const std::string &line : ReadTrace(path)) entries.push_back(line.substr(0, line.find('(')));
    return entries;
}

}  // namespace simcard
