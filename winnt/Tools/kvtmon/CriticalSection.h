// A critical section as an owner, and its lock for one scope.
#pragma once

#include <windows.h>

namespace kvtmon {

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection &) = delete;
    CriticalSection &operator=(const CriticalSection &) = delete;

    class Lock {
    public:
        explicit Lock(CriticalSection &owner) : section_(&owner.section_) { EnterCriticalSection(section_); }
        ~Lock() { LeaveCriticalSection(section_); }
        Lock(const Lock &) = delete;
        Lock &operator=(const Lock &) = delete;

    private:
        CRITICAL_SECTION *section_;
    };

private:
    CRITICAL_SECTION section_;
};

}  // namespace kvtmon
