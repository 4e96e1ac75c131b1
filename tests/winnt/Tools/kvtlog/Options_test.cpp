// kvtlog's command line rules, called directly (natively and under Wine).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CardName.h"
#include "Options.h"

using namespace kvtlog;

namespace {

Parsed Parse(std::vector<std::string> arguments) { return ParseOptions(arguments); }

struct Refusal {
    std::vector<std::string> arguments;
    std::string error;
};

}  // namespace

TEST(kvtlogOptions, NoArgumentsRecordsKvt1AsFastAsItAnswersToStandardOutput) {
    const Parsed parsed = Parse({});
    ASSERT_EQ(parsed.action, Action::Record);
    EXPECT_EQ(parsed.options.card, "KVT1");
    EXPECT_EQ(parsed.options.count, 0u);
    EXPECT_EQ(parsed.options.seconds, 0.0);
    EXPECT_EQ(parsed.options.rate, 0.0);
    EXPECT_EQ(parsed.options.file, "");
    EXPECT_EQ(parsed.options.existing, Existing::Refuse);
    EXPECT_FALSE(parsed.options.keepGoing);
}

TEST(kvtlogOptions, EveryOptionWithEitherPrefixAndCase) {
    const Parsed parsed = Parse({"/N", "100", "-r", "200.5", "\\o", "C:\\data\\x.csv", "-A", "/k", "KVT2"});
    ASSERT_EQ(parsed.action, Action::Record) << parsed.error;
    EXPECT_EQ(parsed.options.card, "KVT2");
    EXPECT_EQ(parsed.options.count, 100u);
    EXPECT_EQ(parsed.options.rate, 200.5);
    EXPECT_EQ(parsed.options.file, "C:\\data\\x.csv");
    EXPECT_EQ(parsed.options.existing, Existing::Append);
    EXPECT_TRUE(parsed.options.keepGoing);
    const Parsed timed = Parse({"-t", "0.5", "-o", "-n", "-w"});  // a value is taken as it is
    ASSERT_EQ(timed.action, Action::Record) << timed.error;
    EXPECT_EQ(timed.options.seconds, 0.5);
    EXPECT_EQ(timed.options.file, "-n");
    EXPECT_EQ(timed.options.existing, Existing::Overwrite);
}

TEST(kvtlogOptions, TheUsageWheneverAskedFor) {
    for (const char *ask : {"-?", "/?", "-h", "/H"}) {
        EXPECT_EQ(Parse({ask}).action, Action::Usage) << ask;
        EXPECT_EQ(Parse({"-n", "0", "bad name!", ask}).action, Action::Usage) << ask;
    }
    const std::vector<std::string> usage = UsageLines();
    ASSERT_GT(usage.size(), 5u);
    EXPECT_EQ(usage[1], "KVTLOG.EXE  Qorim KVT driver kit  Usage guide");
}

TEST(kvtlogOptions, RefusesWithWhatWasWrong) {
    const std::vector<Refusal> refusals = {
        {{"-n"}, "-n needs a number of readings"},
        {{"-t"}, "-t needs a number of seconds"},
        {{"-r"}, "-r needs a number of readings per second"},
        {{"-o"}, "-o needs a file name"},
        {{"-n", "0"}, "-n needs a whole number of readings from 1 to 18 digits, not \"0\""},
        {{"-n", "-5"}, "-n needs a whole number of readings from 1 to 18 digits, not \"-5\""},
        {{"-n", "1000000000000000000"},
         "-n needs a whole number of readings from 1 to 18 digits, not \"1000000000000000000\""},
        {{"-t", "1e3"}, "-t needs a number of seconds above 0 and up to 100000000 (e.g. 60 or 0.5), not \"1e3\""},
        {{"-t", "0.0"}, "-t needs a number of seconds above 0 and up to 100000000 (e.g. 60 or 0.5), not \"0.0\""},
        {{"-r", "2,5"},
         "-r needs a number of readings per second above 0 and up to 1000000 (e.g. 200 or 0.5), not \"2,5\""},
        {{"-r", "1000001"},
         "-r needs a number of readings per second above 0 and up to 1000000 (e.g. 200 or 0.5), not \"1000001\""},
        {{"-n", "5", "-t", "2"}, "-n and -t cannot be given together"},
        {{"-n", "5", "-n", "6"}, "-n given twice"},
        {{"-o", "a", "-w", "-a"}, "-w and -a cannot be given together"},
        {{"-w"}, "-w needs -o FILE"},
        {{"-a"}, "-a needs -o FILE"},
        {{"-x"}, "unknown option \"-x\""},
        {{"--rate"}, "unknown option \"--rate\""},
        {{"-1"}, "unknown option \"-1\""},
        {{"KVT1", "KVT2"}, "only one card: \"KVT2\" after \"KVT1\""},
        {{"KV T1"}, "not a card name (1 to 31 letters and digits): \"KV T1\""},
        {{std::string(32, 'K')}, "not a card name (1 to 31 letters and digits): \"" + std::string(32, 'K') + "\""},
        {{""}, "an empty argument"},
        {{"-k", "-k"}, "-k given twice"},
    };
    for (const Refusal &refusal : refusals) {
        const Parsed parsed = Parse(refusal.arguments);
        EXPECT_EQ(parsed.action, Action::Refused) << refusal.error;
        EXPECT_EQ(parsed.error, refusal.error);
    }
}

TEST(kvtlogOptions, NumbersWithoutLocale) {
    double value = 0;
    EXPECT_TRUE(ParseDecimal("2", value));
    EXPECT_EQ(value, 2.0);
    EXPECT_TRUE(ParseDecimal(".5", value));
    EXPECT_EQ(value, 0.5);
    EXPECT_TRUE(ParseDecimal("2.", value));
    EXPECT_EQ(value, 2.0);
    EXPECT_TRUE(ParseDecimal("0.001", value));
    EXPECT_DOUBLE_EQ(value, 0.001);
    for (const char *bad : {"", ".", "1.2.3", "+1", "-1", " 1", "1 ", "0", "000.000", "inf", "nan", "0x10"})
        EXPECT_FALSE(ParseDecimal(bad, value)) << bad;
    std::uint64_t count = 0;
    EXPECT_TRUE(ParseCount("999999999999999999", count));
    EXPECT_EQ(count, 999999999999999999ULL);
    EXPECT_TRUE(ParseCount("007", count));
    EXPECT_EQ(count, 7u);
}

// The card names the options take: the kit's one rule (CardName.h), on
// counted strings too, where a zero inside is no letter.
TEST(KvtlogOptions, TheCardNameRuleOnCountedStrings) {
    const auto isCardName = [](const std::string &text) { return kvtcard::IsCardName(text.data(), text.size()); };
    EXPECT_TRUE(isCardName("KVT31"));
    EXPECT_TRUE(isCardName(std::string(31, 'a')));
    EXPECT_FALSE(isCardName(std::string(32, 'a')));
    EXPECT_FALSE(isCardName("KVT-1"));
    EXPECT_FALSE(isCardName(""));
    EXPECT_FALSE(isCardName(std::string("KVT1\0..\\x", 9)));
    EXPECT_EQ(ParseOptions({std::string("KVT1\0x", 6)}).action, Action::Refused);
}
