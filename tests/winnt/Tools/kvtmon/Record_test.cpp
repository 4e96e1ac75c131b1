// Record: a Save dialog for the file, the count while recording, and a file
// in kvtlog's format that holds the readings of the interval.
#include <fstream>
#include <iterator>

#include "CsvText.h"
#include "KvtmonPanel.h"

namespace kvtmon_test {
namespace {

// The file's lines, without their CR LF; a last line without one as it is.
Strings LinesOf(const std::string &path, bool *allEndInCrLf) {
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Strings lines;
    *allEndInCrLf = true;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            *allEndInCrLf = false;
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST_F(KvtmonTest, RecordWritesTheIntervalsReadingsInKvtlogsFormat) {
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0, 12);
    const std::string path = "C:\\kvtmon-record.csv";
    DeleteFileA(path.c_str());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_NO_FATAL_FAILURE(RecordTo(path));
    EXPECT_EQ("Stop r&ecording", Field(IDC_RECORD));
    ASSERT_TRUE(uiauto::WaitUntil([&] { return LeadingNumber(Field(IDC_RECORDCOUNT)) >= 20; }))
        << Field(IDC_RECORDCOUNT);
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_RECORD));
    ASSERT_TRUE(WaitForField(IDC_RECORD, "R&ecord..."));
    const std::string recorded = Field(IDC_RECORDCOUNT);
    Sleep(300);
    EXPECT_EQ(recorded, Field(IDC_RECORDCOUNT)) << "the count grows after the recording stopped";
    EXPECT_EQ("reading", Field(IDC_STATE)) << "reading goes on";

    bool crLf = false;
    const Strings lines = LinesOf(path, &crLf);
    EXPECT_TRUE(crLf) << "every line ends in CR LF";
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(readings::CsvHeader("KVT1"), lines[0] + "\r\n");
    EXPECT_EQ(LeadingNumber(recorded), static_cast<double>(lines.size() - 1)) << "the count shown: " << recorded;
    double previous = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        const std::size_t comma = line.find(',');
        ASSERT_NE(std::string::npos, comma) << line;
        EXPECT_EQ(",1.500,-0.250,0.000,12.000", line.substr(comma)) << "line " << i;
        const double seconds = LeadingNumber(line);
        EXPECT_GE(seconds, previous) << "line " << i << ": the time goes back";
        EXPECT_EQ(8u, comma - line.find('.') + 1) << "six decimals: " << line;
        previous = seconds;
    }
    EXPECT_LT(LeadingNumber(lines.size() > 1 ? lines[1] : ""), 0.5) << "timed from the start of the recording";
}

}  // namespace
}  // namespace kvtmon_test
