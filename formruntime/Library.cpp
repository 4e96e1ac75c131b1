#include "Library.h"

#include "SystemText.h"

namespace formrt {

namespace {
DWORD lastLibraryError = 0;  // one thread: the form's
}

std::string BindingFailureText(BindingError::Cause cause, const std::string &library, const std::string &entry,
                               const std::string &systemText) {
    std::string text = cause == BindingError::Cause::LibraryNotLoaded
                           ? "The library \"" + library + "\" could not be loaded for its entry \"" + entry + "\"."
                           : "The library \"" + library + "\" has no entry \"" + entry + "\".";
    if (!systemText.empty()) text += "\n" + systemText;
    return text;
}

BindingError::BindingError(Cause cause, const std::string &library, const std::string &entry, DWORD systemCode)
    : std::runtime_error(BindingFailureText(cause, library, entry, SystemText(systemCode))),
      cause_(cause),
      systemCode_(systemCode) {}

FARPROC Library::Find(const char *entry) {
    if (!module_) {
        module_.reset(LoadLibraryA(name_.c_str()));
        if (!module_) throw BindingError(BindingError::Cause::LibraryNotLoaded, name_, entry, GetLastError());
    }
    const FARPROC address = GetProcAddress(module_.get(), entry);
    if (!address) throw BindingError(BindingError::Cause::EntryNotFound, name_, entry, GetLastError());
    return address;
}

DWORD LastLibraryError() { return lastLibraryError; }
void RecordLastLibraryError(DWORD code) { lastLibraryError = code; }

}  // namespace formrt
