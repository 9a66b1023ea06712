// WindowIdentity: the window icon property, from a made-up picture and from the game's icon.
#include "app/WindowIdentity.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "render/BmpImage.h"

namespace {

TEST(WindowIdentity, IconPropertyRunsFromTheTopRowWithBlackTransparent) {
    BmpImage image;
    image.sizeX = 2;
    image.sizeY = 2;
    // Bottom row first, as decoded: red, black; then the top row: green, blue.
    const uint8_t pixels[12] = {255, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 255};
    image.data.reset(static_cast<uint8_t*>(std::malloc(sizeof pixels)));
    std::memcpy(image.data.get(), pixels, sizeof pixels);
    EXPECT_EQ(windowidentity::iconProperty(image),
              (std::vector<unsigned long>{2, 2, 0xFF00FF00ul, 0xFF0000FFul, 0xFFFF0000ul, 0}));

    // The game's own icon: a badge with see-through corners and a solid middle.
    const std::unique_ptr<BmpImage> icon = loadBmpImage(windowidentity::kIconPath);
    ASSERT_NE(icon, nullptr);
    const std::vector<unsigned long> property = windowidentity::iconProperty(*icon);
    ASSERT_EQ(property.size(), 2u + 64u * 64u);
    EXPECT_EQ(property[0], 64u);
    EXPECT_EQ(property[2], 0u);
    EXPECT_EQ(property.back(), 0u);
    EXPECT_EQ(property[2 + 32 * 64 + 32] >> 24, 0xFFu);
}

}  // namespace
