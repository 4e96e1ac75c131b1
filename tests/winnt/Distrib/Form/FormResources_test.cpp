// The resources compiled into the built Mirvo_vb.exe: icon group 1 and the
// version.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "KitPaths.h"
#include "ProgramResources.h"

namespace {

const std::string &Program() {
    static const std::string path = kit::KitPath("Mirvo_vb.exe");
    return path;
}

TEST(FormResources, IconGroupOneHoldsMonochromeAndSixteenColourImages) {
    reader_test::ExpectIconGroup(Program(), MAKEINTRESOURCEA(1), {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}});
}

TEST(FormResources, VersionIsOnePointZeroOfMirvoVb) {
    const uiauto::VersionInfo version(Program());
    reader_test::ExpectFixedVersion(version, 0x00010000, 0);
    const struct {
        const char *name, *value;
    } strings[] = {{"FileVersion", "1.00"},
                   {"ProductVersion", "1.00"},
                   {"ProductName", "Mirvo_vb"},
                   {"InternalName", "mirvo_vb"},
                   {"OriginalFilename", "mirvo_vb.exe"}};
    for (const auto &want : strings) EXPECT_EQ(want.value, version.String(want.name)) << want.name;
}

}  // namespace
