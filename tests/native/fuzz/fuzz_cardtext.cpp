// mirvocfg's card list line for any slot record, and its status line for
// any template: the line always has its fixed shape, and the fill inserts
// the word at most once and never takes more than the template gives.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "CardText.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 10) return 0;
    const int slot = data[0] % 32;
    cfg::CardRecord card;
    card.configured = data[1] & 1;
    std::memcpy(&card.address, data + 2, 4);
    std::memcpy(&card.state, data + 6, 4);
    const std::string line = cfg::FormatCardLineText(slot, card);
    const std::string name = "KVT" + std::to_string(slot + 1) + "\t";
    FUZZ_CHECK(line.compare(0, name.size(), name) == 0);
    if (!card.configured) {
        FUZZ_CHECK(line == name + " [not used]");
    } else {
        char address[16];
        std::snprintf(address, sizeof address, "%08X", static_cast<unsigned>(card.address));
        FUZZ_CHECK(line == name + " at 0x" + address + " (" + cfg::CardStateText(card.state) + ")");
    }

    const bool loaded = data[1] & 2;
    const std::string tmpl(reinterpret_cast<const char *>(data) + 10, size - 10);
    const std::string status = cfg::FormatConfigStatus(tmpl, loaded);
    FUZZ_CHECK(status.size() <= tmpl.size() + 1);
    if (tmpl.find('%') == std::string::npos) FUZZ_CHECK(status == tmpl);
    // The word comes in place of the first "%s" not part of a "%%".
    std::string expected;
    bool used = false;
    for (std::size_t i = 0; i < tmpl.size(); ++i) {
        if (tmpl[i] == '%' && i + 1 < tmpl.size() && tmpl[i + 1] == '%') {
            expected += '%';
            ++i;
        } else if (tmpl[i] == '%' && i + 1 < tmpl.size() && tmpl[i + 1] == 's' && !used) {
            expected += loaded ? "" : "not";
            used = true;
            ++i;
        } else {
            expected += tmpl[i];
        }
    }
    FUZZ_CHECK(status == expected);
    return 0;
}
