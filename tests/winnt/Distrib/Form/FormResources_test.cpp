// The resources compiled into the built Mirvo_vb.exe: icon group 1 and the
// version.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"
#include "VersionInfo.h"

namespace {


const std::string &Program() {
    static const std::string path = kit::KitPath("Mirvo_vb.exe");
    return path;
}

TEST(FormResources, IconGroupOneHoldsMonochromeAndSixteenColourImages) {
    std::string error;
    const std::vector<uiauto::IconImage> images = uiauto::ReadIconGroup(Program(), MAKEINTRESOURCEA(1), error);
    ASSERT_EQ(3u, images.size()) << "images in icon group 1 " << error;
    const struct {
        int size, colours, bits;
    } expected[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(expected[i].size, images[i].width);
        EXPECT_EQ(expected[i].size, images[i].height);
        EXPECT_EQ(expected[i].colours, images[i].colours);
        EXPECT_EQ(expected[i].bits, images[i].bitCount);
        EXPECT_EQ(expected[i].size, images[i].bitmap.biWidth);
        EXPECT_EQ(2 * expected[i].size, images[i].bitmap.biHeight) << "the image and its mask";
        EXPECT_EQ(expected[i].bits, images[i].bitmap.biBitCount);
    }
}

TEST(FormResources, VersionIsOnePointZeroOfMirvoVb) {
    const uiauto::VersionInfo version(Program());
    ASSERT_TRUE(version.Found()) << "no version resource";
    EXPECT_EQ(0x00010000u, version.Fixed().dwFileVersionMS);
    EXPECT_EQ(0u, version.Fixed().dwFileVersionLS);
    EXPECT_EQ(0x00010000u, version.Fixed().dwProductVersionMS);
    EXPECT_EQ(0u, version.Fixed().dwProductVersionLS);
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
