#include "ui/button_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "ui/pref_layout.h"

namespace clavitone {
namespace {

// A push button's raised edge is two pixels wide; one more keeps the picture
// off it when the button is pressed in.
constexpr int EdgePixels = 3;

// 96, 120, 144 and 192 DPI.
constexpr int TwipsPerPixel[] = {15, 12, 10, 7};

TEST(ButtonPicture, FitsInsideTheEdgeOfEveryPictureKeyAtCommonResolutions)
{
    const FormModel form = MakePrefForm();
    int pictureKeys = 0;
    for (const Control& control : form.controls) {
        if (control.kind != ControlKind::KeyButton || control.picture.empty())
            continue;
        ++pictureKeys;
        for (const int twips : TwipsPerPixel) {
            const int inside = std::min(TwipsToPixels(control.rect.width, twips),
                                        TwipsToPixels(control.rect.height, twips)) - 2 * EdgePixels;
            EXPECT_LE(ButtonPictureSize(twips), inside)
                << control.picture << " on chkSound(" << control.id.index << ") at " << twips << " twips per pixel";
        }
    }
    EXPECT_EQ(pictureKeys, 12);
}

TEST(ButtonPicture, GrowsWithTheResolutionInDrawnSizes)
{
    EXPECT_EQ(ButtonPictureSize(15), 16);
    EXPECT_EQ(ButtonPictureSize(12), 20);
    EXPECT_EQ(ButtonPictureSize(10), 20);
    EXPECT_EQ(ButtonPictureSize(7), 32);
    EXPECT_EQ(ButtonPictureSize(30), 16) << "below 96 DPI the smallest drawing still serves";
    EXPECT_EQ(ButtonPictureSize(0), 16) << "a resolution not known";
}

// Sizes of the images in an .ico file, from its directory.
std::set<int> IconSizes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<int> sizes;
    if (bytes.size() < 6)
        return sizes;
    const int count = bytes[4] | bytes[5] << 8;
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= static_cast<int>(bytes.size()); ++i) {
        const int width = bytes[6 + 16 * i];
        sizes.insert(width == 0 ? 256 : width);
    }
    return sizes;
}

// Without the exact size the system would shrink the 32 pixel drawing.
TEST(ButtonPicture, EveryKeyPictureIsDrawnInEverySize)
{
    const std::set<int> expected(ButtonPictureSizes.begin(), ButtonPictureSizes.end());
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CLAVITONE_RESOURCES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("key_") || entry.path().extension() != ".ico")
            continue;
        ++files;
        EXPECT_EQ(IconSizes(entry.path()), expected) << name;
    }
    EXPECT_EQ(files, 11) << "eleven pictures: Backspace and Left share one";
}

}  // namespace
}  // namespace clavitone
