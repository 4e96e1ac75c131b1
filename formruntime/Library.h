// A library that a form's code declares by name and binds at the first call
// of one of its entries (LibraryEntry.h), and the one error that binding
// raises.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "UniqueHandle.h"

namespace formrt {

// A library or one of its entries that cannot be bound. The runtime's
// default handling reports what() and ends the program (Services.h, ExitCodes.h).
class BindingError : public std::runtime_error {
public:
    enum class Cause { LibraryNotLoaded, EntryNotFound };
    BindingError(Cause cause, const std::string &library, const std::string &entry, DWORD systemCode);

    Cause cause() const { return cause_; }
    DWORD systemCode() const { return systemCode_; }

private:
    Cause cause_;
    DWORD systemCode_;
};

// The report's wording, from the system's text for the code ("" if none).
std::string BindingFailureText(BindingError::Cause cause, const std::string &library, const std::string &entry,
                               const std::string &systemText);

class Library {
public:
    // `name` as the system's loader takes it: "Mirvo" finds Mirvo.dll.
    explicit Library(std::string name) : name_(std::move(name)) {}
    Library(const Library &) = delete;
    Library &operator=(const Library &) = delete;

    const std::string &Name() const { return name_; }
    bool Loaded() const { return module_.valid(); }

    // The address of `entry`: loads the library if this is its first use
    // (it then stays loaded while this object lives), then looks the entry
    // up. Throws BindingError. Each entry asks once and keeps the address.
    FARPROC Find(const char *entry);

private:
    std::string name_;
    kit::Module module_;
};

// The system's last-error value as the most recent library call left it.
// The runtime records it after every call made through a LibraryEntry,
// before anything else can change it.
DWORD LastLibraryError();
void RecordLastLibraryError(DWORD code);

}  // namespace formrt
