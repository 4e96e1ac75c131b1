// The usage guide's lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Usage.h"

using installation::UsageLines;

namespace {

using Args = std::vector<std::string>;

TEST(InstallerUsageGuide, TwentyLinesWithTheirBlanks) {
    const Args lines = UsageLines();
    ASSERT_EQ(20u, lines.size());
    const std::string banner = lines[1];
    EXPECT_EQ(0u, banner.find("INSTALL.EXE")) << banner;
    EXPECT_EQ(banner.size() - 11, banner.rfind("Usage guide")) << banner;
    for (int i : {0, 4, 6, 17}) EXPECT_EQ("", lines[i]) << "line " << i + 1;
    for (int i : {2, 8, 10, 12, 14, 15}) EXPECT_EQ(' ', lines[i].back()) << "line " << i + 1 << " ends with a blank";
    for (int i : {8, 10, 12, 14}) EXPECT_EQ(0u, lines[i].find("  -")) << "line " << i + 1;
    for (int i : {9, 11, 13, 15, 16})
        EXPECT_EQ(6u, lines[i].find_first_not_of(' ')) << "line " << i + 1 << " begins with six blanks";
}

}  // namespace
