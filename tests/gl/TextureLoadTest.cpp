// Texture::load: reduction, colour key, upload parameters, alpha channel and name handling.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "render/Texture.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/GlContext.h"

namespace {

using bmptest::Picture;

class TextureLoadTest : public gltest::GlTest {
protected:
    void TearDown() override {
        for (const std::string& path : files_) {
            std::remove(path.c_str());
        }
        gltest::GlTest::TearDown();
    }

    // Writes pic as a 24-bit BMP in the temporary directory and returns its path.
    std::string writePicture(const std::string& name, const Picture& pic) {
        const std::string path = bmptest::tempPath(name);
        EXPECT_TRUE(bmptest::writeFile(path, bmptest::encode(pic, bmptest::Format{})));
        files_.push_back(path);
        return path;
    }

    // Loads with linear filters, clamped, no mipmaps: the plain case most tests need.
    static bool loadPlain(Texture& texture, const std::string& path, int reduction,
                          bool useAlpha = false, bmptest::Rgb key = {0, 0, 255},
                          uint8_t keyAlpha = 0, uint8_t otherAlpha = 1) {
        return texture.load(path.c_str(), false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP,
                            reduction, useAlpha, key[0], key[1], key[2], keyAlpha, otherAlpha);
    }

private:
    std::vector<std::string> files_;
};

struct Level {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int i, int j) const { return &rgba[(size_t(j) * width + i) * 4]; }
};

Level readLevel(GLuint id, int level) {
    glBindTexture(GL_TEXTURE_2D, id);
    Level out;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &out.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &out.height);
    out.rgba.resize(size_t(out.width) * out.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, out.rgba.data());
    return out;
}

GLint levelParameter(GLuint id, GLenum name) {
    glBindTexture(GL_TEXTURE_2D, id);
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

Picture solid(int w, int h, bmptest::Rgb c) {
    Picture pic{w, h, std::vector<uint8_t>(size_t(w) * size_t(h) * c.size())};
    for (size_t i = 0; i < pic.rgb.size(); ++i) {
        pic.rgb[i] = c[i % c.size()];
    }
    return pic;
}

TEST_F(TextureLoadTest, SetsTheGivenWrapAndFiltersAndLeavesTheTextureBound) {
    Texture texture;
    const std::string path = writePicture("params.bmp", solid(8, 8, {1, 2, 3}));
    ASSERT_TRUE(texture.load(path.c_str(), true, GL_NEAREST, GL_LINEAR_MIPMAP_NEAREST, GL_REPEAT,
                             GL_CLAMP, 0, false, 0, 0, 255, 0, 1));
    EXPECT_EQ(gltest::getInteger(GL_TEXTURE_BINDING_2D), GLint(texture.id()));
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    // A toon ramp is read on its edge (t = 0): a conformant GL_CLAMP would blend half of the
    // black border into every shade there.
    EXPECT_EQ(value, GL_CLAMP_TO_EDGE);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_NEAREST);
}

TEST_F(TextureLoadTest, AlphaChannelOnlyWhenAskedForAndTheKeyColourIsPresent) {
    // 2 x 2: the key (0, 0, 255) at (0, 0), one unit off in each channel elsewhere.
    const Picture keyed{2, 2, {0, 0, 255, 1, 0, 255, 0, 1, 255, 0, 0, 254}};
    const Picture nearMisses{2, 2, {0, 0, 254, 1, 0, 255, 0, 1, 255, 0, 0, 254}};
    struct Case {
        const char* what;
        const Picture* pic;
        bool useAlpha;
        bool expectAlpha;
    };
    const Case cases[] = {
        {"keyed, alpha wanted", &keyed, true, true},
        {"keyed, alpha not wanted", &keyed, false, false},
        {"only near misses, alpha wanted", &nearMisses, true, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Texture texture;
        const std::string path = writePicture("key" + std::to_string(n++) + ".bmp", *c.pic);
        ASSERT_TRUE(loadPlain(texture, path, 0, c.useAlpha, {0, 0, 255}, 40, 220));
        const GLint format = levelParameter(texture.id(), GL_TEXTURE_INTERNAL_FORMAT);
        const GLint alphaBits = levelParameter(texture.id(), GL_TEXTURE_ALPHA_SIZE);
        const Level level = readLevel(texture.id(), 0);
        // Texel alphas come from the pixel preparation (TexturePixelsTest); here, the format.
        EXPECT_EQ(format == 4 || format == GL_RGBA, c.expectAlpha) << format;
        EXPECT_EQ(alphaBits > 0, c.expectAlpha);
        EXPECT_EQ(level.at(0, 0)[3], c.expectAlpha ? 40 : 255);
    }
}

TEST_F(TextureLoadTest, MipmapsRescaleOddSidesWhileAPlainUploadKeepsThem) {
    Texture texture;
    const std::string path = writePicture("odd.bmp", solid(6, 3, {10, 200, 30}));
    ASSERT_TRUE(texture.load(path.c_str(), true, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, GL_CLAMP,
                             GL_CLAMP, 0, false, 0, 0, 255, 0, 1));
    const Level base = readLevel(texture.id(), 0);
    EXPECT_GT(base.width, 0);
    EXPECT_EQ(base.width & (base.width - 1), 0) << base.width;
    EXPECT_EQ(base.height & (base.height - 1), 0) << base.height;
    EXPECT_EQ(base.at(0, 0)[1], 200);
    // The chain goes down to 1 x 1.
    glBindTexture(GL_TEXTURE_2D, texture.id());
    GLint width = 0;
    int levels = 0;
    do {
        glGetTexLevelParameteriv(GL_TEXTURE_2D, levels, GL_TEXTURE_WIDTH, &width);
        ++levels;
    } while (width > 1 && levels < 16);
    EXPECT_EQ(width, 1);
    EXPECT_GT(levels, 1);

    // Without mipmaps the picture goes up as it is, level 0 alone.
    Texture plain;
    ASSERT_TRUE(loadPlain(plain, path, 0));
    const Level only = readLevel(plain.id(), 0);
    EXPECT_EQ(only.width, 6);
    EXPECT_EQ(only.height, 3);
    EXPECT_EQ(only.at(5, 2)[1], 200);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 0);
}

// The texture's name through its life: a reload frees the old picture, a missing file keeps
// it, an undecodable one leaves a fresh empty name (drawn untextured), destruction frees it.
TEST_F(TextureLoadTest, EachLoadOutcomeLeavesTheRightNameBehind) {
    const std::string missing = bmptest::tempPath("missing.bmp");
    Texture fresh;
    EXPECT_FALSE(loadPlain(fresh, missing, 0));
    EXPECT_EQ(fresh.id(), 0u);

    auto* texture = new Texture;
    ASSERT_TRUE(loadPlain(*texture, writePicture("first.bmp", solid(4, 4, {255, 0, 0})), 0));
    const GLuint first = texture->id();
    ASSERT_TRUE(loadPlain(*texture, writePicture("second.bmp", solid(8, 2, {0, 255, 0})), 0));
    const GLuint second = texture->id();
    ASSERT_NE(second, 0u);
    if (second != first) {
        EXPECT_FALSE(glIsTexture(first));
    }
    EXPECT_EQ(readLevel(second, 0).width, 8);
    EXPECT_EQ(readLevel(second, 0).at(0, 0)[1], 255);

    EXPECT_FALSE(loadPlain(*texture, missing, 0));
    EXPECT_EQ(texture->id(), second);
    EXPECT_EQ(readLevel(second, 0).at(7, 1)[1], 255);

    std::vector<uint8_t> broken = bmptest::encode(solid(4, 4, {1, 1, 1}), bmptest::Format{});
    broken.resize(broken.size() - 8);
    const std::string path = bmptest::tempPath("broken.bmp");
    ASSERT_TRUE(bmptest::writeFile(path, broken));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadPlain(*texture, path, 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Image file conversion error.\n");
    std::remove(path.c_str());
    EXPECT_NE(texture->id(), 0u);
    if (texture->id() != second) {
        EXPECT_FALSE(glIsTexture(second));
    }
    EXPECT_FALSE(glIsTexture(texture->id()));  // never bound, never filled

    ASSERT_TRUE(loadPlain(*texture, writePicture("doomed.bmp", solid(2, 2, {5, 5, 5})), 0));
    const GLuint last = texture->id();
    ASSERT_TRUE(glIsTexture(last));
    delete texture;
    EXPECT_FALSE(glIsTexture(last));
}

}  // namespace
