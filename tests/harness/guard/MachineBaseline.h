// The machine as it was before the first case of a program whose cases share
// one prefix and may change it (tools/wine/run-gtest.sh): every
// value of the registry trees that MachineState looks at, besides that look.
// After each case, what the case changed is put back, and the look that
// follows must find the machine as it was.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "MachineState.h"

namespace harness {

struct RegistryValue {
    DWORD type = 0;
    std::string data;
    bool operator==(const RegistryValue &other) const { return type == other.type && data == other.data; }
};
// Value name -> value, of one key.
using KeyValues = std::map<std::string, RegistryValue>;

class MachineBaseline {
public:
    // Takes the whole look and every value of its registry trees.
    MachineBaseline();

    // What differs in the look `now`; keys whose stamp moved count only when
    // their values differ (a key written back with its own values has a new
    // write time, and so has the key above one that was added and removed).
    std::vector<std::string> Differences(const MachineState &now, size_t limit = 10) const;

    // Undoes what differs in `now`: services that were not there are stopped
    // and deleted, keys and files that were not there removed, keys that
    // were there written back with their values. A file changed or removed
    // cannot be put back: the look that follows says so.
    void PutBack(const MachineState &now) const;

    // `now` is the machine as it was (Differences found nothing): its stamps
    // are the ones to compare with from here on.
    void Accept(const MachineState &now) { state_ = now; }

    const MachineState &State() const { return state_; }

private:
    MachineState state_;
    std::map<std::string, KeyValues> values_;  // key path -> its values
};

}  // namespace harness
