// kvtlog under a user locale with a decimal comma, set the way Wine takes
// it (this program's runs have KIT_USER_LOCALE=de_DE.UTF-8): the file and
// the summary keep the point, so that every spreadsheet reads the file alike.
#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <string>

#include "KvtlogRun.h"
#include "SimCard.h"

using namespace kvtlogtest;

namespace {

TEST(kvtlogUserLocale, APointInTheFileAndTheSummaryUnderADecimalComma) {
    // The premise: a program that asks for the user's format gets a comma.
    char separator[8] = {}, number[32] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1234.5", nullptr, number, sizeof number);
    ASSERT_STREQ(",", separator) << "the run's user locale has no decimal comma: this case would prove nothing";
    ASSERT_NE(std::string(number).find(",5"), std::string::npos) << number;

    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    simcard::SetWeights("KVT1", 1234.5f, -0.25f, 0.0f, 12.0f);
    Scratch scratch;
    const Outcome outcome = RunKvtlog(scratch, "-n 3 -r 50 -o out.csv");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
    const std::vector<std::string> lines = CrLfLines(ReadWholeFile(scratch.Path("out.csv")));
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_TRUE(std::regex_match(lines[i], std::regex(R"([0-9]+\.[0-9]{6},1234\.500,-0\.250,0\.000,12\.000)")))
            << lines[i];
    EXPECT_TRUE(std::regex_search(outcome.errors, std::regex(R"(3 readings in [0-9]+\.[0-9]{3} s: [0-9]+\.[0-9] per second, one every [0-9]+\.[0-9]{3} ms)")))
        << outcome.errors;
}

}  // namespace
