// TextureFilters: filter pairs and reduction from the video settings, including bad values.
#include "render/TextureFilters.h"

#include <gtest/gtest.h>

namespace {

TEST(TextureFiltersTest, FilteringSettingPicksThePair) {
    struct Case {
        int filtering;
        GLint mag, min;
    };
    for (const Case c :
         {Case{0, GL_NEAREST, GL_NEAREST}, Case{1, GL_LINEAR, GL_LINEAR},
          Case{2, GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST}, Case{3, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR},
          Case{4, GL_NEAREST, GL_NEAREST}, Case{7, GL_NEAREST, GL_NEAREST},
          Case{-1, GL_NEAREST, GL_NEAREST}}) {
        const TextureFilters filters = worldTextureFilters(c.filtering);
        EXPECT_EQ(filters.magnification, c.mag) << c.filtering;
        EXPECT_EQ(filters.minification, c.min) << c.filtering;
    }
}

TEST(TextureFiltersTest, QualityIsClampedToTheReductionRange) {
    EXPECT_EQ(textureReduction(-2), 0);
    EXPECT_EQ(textureReduction(0), 0);
    EXPECT_EQ(textureReduction(2), 2);
    EXPECT_EQ(textureReduction(3), 3);
    EXPECT_EQ(textureReduction(9), 3);
}

}  // namespace
