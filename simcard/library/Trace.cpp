#include "Trace.h"

#include <windows.h>

#include "../include/KvtSimIoctl.h"
#include "UniqueHandle.h"

namespace mirvo {

namespace {

class TraceFile {
public:
    TraceFile() {
        kit::RegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KVTSIM_REG_ROOT, 0, KEY_QUERY_VALUE | KVTSIM_REG_VIEW,
                          key.receive()) != ERROR_SUCCESS)
            return;
        char path[MAX_PATH + 1] = {};
        DWORD type = 0, size = MAX_PATH;
        const LONG result = RegQueryValueExA(key.get(), KVTSIM_VAL_TRACE_FILE, nullptr, &type,
                                             reinterpret_cast<BYTE *>(path), &size);
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || !path[0])
            return;
        // Appends go to the end even with other writers; readers may look
        // at any time.
        file_.reset(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    bool On() const { return file_.valid(); }

    void Write(const std::string &line) const {
        DWORD written = 0;
        WriteFile(file_.get(), line.data(), DWORD(line.size()), &written, nullptr);
    }

private:
    kit::FileHandle file_;
};

const TraceFile &Trace() {
    static const TraceFile trace;
    return trace;
}

}  // namespace

bool TraceOn() {
    const DWORD lastError = GetLastError();
    const bool on = Trace().On();
    SetLastError(lastError);
    return on;
}

void TraceWrite(const std::string &line) {
    const DWORD lastError = GetLastError();
    if (Trace().On()) Trace().Write(line);
    SetLastError(lastError);
}

}  // namespace mirvo
