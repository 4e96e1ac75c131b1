// The resources compiled into the built Mirvo_vb.exe: icon group 1 and the
// version.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "DialogTemplate.h"
#include "KitPaths.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const std::string &Program() {
    static const std::string path = kit::KitPath("Mirvo_vb.exe");
    return path;
}

TEST(FormResources, IconGroupOneHoldsMonochromeAndSixteenColourImages) {
    std::string error;
    const std::string group = uiauto::ReadResource(Program(), MAKEINTRESOURCEA(1), RT_GROUP_ICON, error);
    ASSERT_GE(group.size(), 6u) << error;
    const WORD *header = reinterpret_cast<const WORD *>(group.data());
    ASSERT_EQ(3, header[2]) << "images in icon group 1";
    ASSERT_EQ(6 + 3 * sizeof(GroupIconEntry), group.size());
    const struct {
        int size, colours, bits;
    } expected[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        EXPECT_EQ(expected[i].size, entry.width);
        EXPECT_EQ(expected[i].size, entry.height);
        EXPECT_EQ(expected[i].colours, entry.colours);
        EXPECT_EQ(expected[i].bits, entry.bitCount);
        const std::string image = uiauto::ReadResource(Program(), MAKEINTRESOURCEA(entry.id), RT_ICON, error);
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER)) << error;
        BITMAPINFOHEADER bitmap;
        std::memcpy(&bitmap, image.data(), sizeof bitmap);
        EXPECT_EQ(expected[i].size, bitmap.biWidth);
        EXPECT_EQ(2 * expected[i].size, bitmap.biHeight) << "the image and its mask";
        EXPECT_EQ(expected[i].bits, bitmap.biBitCount);
        EXPECT_EQ(entry.bytes, image.size());
    }
}

TEST(FormResources, VersionIsOnePointZeroOfMirvoVb) {
    DWORD ignored = 0;
    std::string data(GetFileVersionInfoSizeA(Program().c_str(), &ignored), '\0');
    ASSERT_FALSE(data.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoA(Program().c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    const struct {
        const char *name, *value;
    } strings[] = {{"FileVersion", "1.00"},
                   {"ProductVersion", "1.00"},
                   {"ProductName", "Mirvo_vb"},
                   {"InternalName", "mirvo_vb"},
                   {"OriginalFilename", "mirvo_vb.exe"}};
    for (const auto &want : strings) {
        char *value = nullptr;
        const std::string path = std::string("\\StringFileInfo\\000004b0\\") + want.name;
        ASSERT_TRUE(VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void **>(&value), &length))
            << want.name;
        EXPECT_EQ(want.value, std::string(value)) << want.name;
    }
}

}  // namespace
