// The one way to name the rows of a parameterised test: from the row's
// `what`, letters and digits kept, every run of anything else one '_'
// ("size -1" -> "size_1"):
//   INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(kRows), RowName<Row>);
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row> &info) {
    std::string name;
    for (const char *c = info.param.what; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        else if (!name.empty() && name.back() != '_') name += '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name;
}
