// kvtlog's command line on any arguments: the input split at line feeds
// into arguments, each in a buffer of exactly its size. Whatever comes, a
// refusal says why, an accepted line gives options within their limits,
// and the same arguments in another order (values kept behind their
// options) give the same options.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CardName.h"
#include "FuzzCheck.h"
#include "Options.h"

using namespace kvtlog;

namespace {

bool Same(const Options &a, const Options &b) {
    return a.card == b.card && a.count == b.count && a.seconds == b.seconds && a.rate == b.rate && a.file == b.file &&
           a.existing == b.existing && a.keepGoing == b.keepGoing;
}

bool TakesValue(const std::string &argument) {
    if (argument.size() != 2 || (argument[0] != '-' && argument[0] != '/' && argument[0] != '\\')) return false;
    const char letter = static_cast<char>(argument[1] | 0x20);
    return letter == 'n' || letter == 't' || letter == 'r' || letter == 'o';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::vector<std::string> arguments;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == '\n') {
            const std::size_t length = i - begin;
            std::unique_ptr<char[]> exact(new char[length ? length : 1]);
            for (std::size_t n = 0; n < length; ++n) exact[n] = static_cast<char>(data[begin + n]);
            arguments.emplace_back(exact.get(), length);
            begin = i + 1;
        }
    }
    if (size == 0) arguments.clear();

    const Parsed parsed = ParseOptions(arguments);
    const Parsed again = ParseOptions(arguments);
    FUZZ_CHECK(parsed.action == again.action && parsed.error == again.error);
    switch (parsed.action) {
    case Action::Refused:
        FUZZ_CHECK(!parsed.error.empty());
        FUZZ_CHECK(parsed.error.find('\n') == std::string::npos && parsed.error.find('\r') == std::string::npos);
        break;
    case Action::Usage:
        break;
    case Action::Record: {
        const Options &options = parsed.options;
        FUZZ_CHECK(kvtcard::IsCardName(options.card.data(), options.card.size()));
        FUZZ_CHECK(options.count == 0 || options.seconds == 0);
        FUZZ_CHECK(options.count <= kMaxCount);
        FUZZ_CHECK(options.seconds == 0 || (options.seconds > 0 && options.seconds <= kMaxSeconds));
        FUZZ_CHECK(options.rate == 0 || (options.rate > 0 && options.rate <= kMaxRate));
        FUZZ_CHECK(options.existing == Existing::Refuse || !options.file.empty());
        // Each option with its value as one unit, the units reversed.
        std::vector<std::vector<std::string>> units;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            std::vector<std::string> unit = {arguments[i]};
            if (TakesValue(arguments[i]) && i + 1 < arguments.size()) unit.push_back(arguments[++i]);
            units.push_back(unit);
        }
        std::vector<std::string> reversed;
        for (std::size_t u = units.size(); u-- > 0;)
            for (const std::string &argument : units[u]) reversed.push_back(argument);
        const Parsed other = ParseOptions(reversed);
        FUZZ_CHECK(other.action == Action::Record);
        FUZZ_CHECK(Same(other.options, options));
        break;
    }
    }
    return 0;
}
