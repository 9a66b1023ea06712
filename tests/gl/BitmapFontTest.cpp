// BitmapFont: glyph quads and their cells (read through feedback mode), pen advance, scaling,
// Latin-1 bytes, control bytes, the output limit and the state print leaves.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/BitmapFont.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

// One glyph as feedback mode saw it: window-space box and texture-coordinate box, plus
// whether texture s and t grow with window x and y (the glyph is upright, not mirrored).
struct Glyph {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    float s0 = 1e9f, t0 = 1e9f, s1 = -1e9f, t1 = -1e9f;
    bool upright = true;
};

// Window coordinates of a virtual-screen distance on the 1024 x 768 test window.
constexpr float kSx = 1024.0f / 800.0f;
constexpr float kSy = 768.0f / 600.0f;
constexpr float kCell = 1.0f / 16.0f;

// The game's set-up: 16 x 16 cells, glyphs 15 x 15 with advance 10, from code 32, 800 x 600.
void buildGameFont(BitmapFont& font, GLuint texture) {
    font.setTexture(texture, 15, 15);
    font.setFirstChar(32);
    font.setGlyphSize(15, 15, 10);
    font.setScreenSize(800, 600);
    font.build();
}

class BitmapFontTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        buildGameFont(font, 0);
    }

    // Runs `draw` in feedback mode and groups the polygons it produced by glyph (the quads
    // of one line never share their left edge).
    template <typename Draw>
    static std::vector<Glyph> glyphsOf(Draw draw) {
        std::vector<GLfloat> buffer(1 << 18);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        const GLint used = glRenderMode(GL_RENDER);
        EXPECT_GE(used, 0) << "feedback buffer overflow";

        const int stride = 3 + 4 + 4;  // x y z, RGBA, s t r q
        std::vector<Glyph> glyphs;
        for (GLint i = 0; i < used;) {
            const GLint token = static_cast<GLint>(buffer[i++]);
            if (token == GL_PASS_THROUGH_TOKEN) {
                ++i;
                continue;
            }
            EXPECT_EQ(token, GL_POLYGON_TOKEN);
            if (token != GL_POLYGON_TOKEN) {
                break;
            }
            const int n = static_cast<int>(buffer[i++]);
            Glyph g;
            std::vector<const GLfloat*> vs;
            for (int v = 0; v < n; ++v, i += stride) {
                const GLfloat* p = &buffer[i];
                vs.push_back(p);
                g.x0 = std::min(g.x0, p[0]);
                g.x1 = std::max(g.x1, p[0]);
                g.y0 = std::min(g.y0, p[1]);
                g.y1 = std::max(g.y1, p[1]);
                g.s0 = std::min(g.s0, p[7]);
                g.s1 = std::max(g.s1, p[7]);
                g.t0 = std::min(g.t0, p[8]);
                g.t1 = std::max(g.t1, p[8]);
            }
            for (const GLfloat* p : vs) {
                g.upright = g.upright && ((p[0] == g.x0) == (p[7] == g.s0)) &&
                            ((p[1] == g.y0) == (p[8] == g.t0));
            }
            auto same = std::find_if(glyphs.begin(), glyphs.end(), [&](const Glyph& o) {
                return std::fabs(o.x0 - g.x0) < 0.01f && std::fabs(o.y0 - g.y0) < 0.01f;
            });
            if (same == glyphs.end()) {
                glyphs.push_back(g);
            } else {
                same->x1 = std::max(same->x1, g.x1);
                same->y1 = std::max(same->y1, g.y1);
                same->s0 = std::min(same->s0, g.s0);
                same->s1 = std::max(same->s1, g.s1);
                same->t0 = std::min(same->t0, g.t0);
                same->t1 = std::max(same->t1, g.t1);
                same->upright = same->upright && g.upright;
            }
        }
        return glyphs;
    }

    // The cell of a character code on the 16 x 16 picture: top row (t 15/16..1) from 32 on.
    static void expectCell(const Glyph& g, int code) {
        const int k = code - 32;
        const float s = static_cast<float>(k % 16) * kCell;
        const float t = static_cast<float>(15 - k / 16) * kCell;
        EXPECT_NEAR(g.s0, s, 1e-5f) << code;
        EXPECT_NEAR(g.s1, s + kCell, 1e-5f) << code;
        EXPECT_NEAR(g.t0, t, 1e-5f) << code;
        EXPECT_NEAR(g.t1, t + kCell, 1e-5f) << code;
        EXPECT_TRUE(g.upright) << code;
    }

    BitmapFont font;
};

TEST_F(BitmapFontTest, EachByteGetsAQuadOnItsCellAndThePenAdvancesTenUnits) {
    // At the origin on 800 x 600: the quad spans x 0..15 and, from the top, y 585..600.
    const std::vector<Glyph> a = glyphsOf([&] { font.print(0, 0, "A"); });
    ASSERT_EQ(a.size(), 1u);
    EXPECT_NEAR(a[0].x0, 0.0f, 0.01f);
    EXPECT_NEAR(a[0].y0, 585.0f * kSy, 0.01f);
    EXPECT_NEAR(a[0].y1, 768.0f, 0.01f);
    expectCell(a[0], 'A');
    for (int code : {32, 47, 48, 127, 128, 0xE9, 255}) {
        const char text[2] = {static_cast<char>(code), '\0'};
        const std::vector<Glyph> g = glyphsOf([&] { font.print(100, 200, "%s", text); });
        ASSERT_EQ(g.size(), 1u) << code;
        EXPECT_NEAR(g[0].x0, 100.0f * kSx, 0.01f);
        EXPECT_NEAR(g[0].y1, (600.0f - 200.0f) * kSy, 0.01f);
        expectCell(g[0], code);
    }
    // 15 wide with an advance of 10: neighbours overlap. Each print starts from its own
    // position, and a smaller virtual screen scales the whole line.
    for (const auto& [width, height] :
         {std::pair{800.0f, 600.0f}, {422.0f, 316.0f}, {800.0f, 600.0f}}) {
        font.setScreenSize(static_cast<int>(width), static_cast<int>(height));
        const float sx = 1024.0f / width, sy = 768.0f / height;
        const std::vector<Glyph> g = glyphsOf([&] { font.print(20, 121, "%d", 1234); });
        ASSERT_EQ(g.size(), 4u);
        for (size_t i = 0; i < g.size(); ++i) {
            EXPECT_NEAR(g[i].x0, (20.0f + 10.0f * i) * sx, 0.01f) << i;
            EXPECT_NEAR(g[i].x1 - g[i].x0, 15.0f * sx, 0.01f) << i;
            EXPECT_NEAR(g[i].y1, (height - 121.0f) * sy, 0.01f) << i;
            EXPECT_NEAR(g[i].y1 - g[i].y0, 15.0f * sy, 0.01f) << i;
            expectCell(g[i], '1' + static_cast<int>(i));
        }
    }
}

TEST_F(BitmapFontTest, ControlBytesBecomeSpacesInsteadOfCallingForeignLists) {
    // A foreign list where a naive "base - firstChar + byte" would find a line feed: a big
    // quad that would show up as a glyph of another size.
    BitmapFont own;
    buildGameFont(own, 0);
    ASSERT_GT(own.listBase(), 32u);
    const GLuint trap = own.listBase() - 32 + '\n';
    glNewList(trap, GL_COMPILE);
    glRectf(0.0f, 0.0f, 400.0f, 300.0f);
    glEndList();

    const std::vector<Glyph> g = glyphsOf([&] { own.print(0, 0, "A\nB\t"); });
    ASSERT_EQ(g.size(), 4u);
    for (size_t i = 0; i < g.size(); ++i) {
        EXPECT_NEAR(g[i].x0, 10.0f * i * kSx, 0.01f) << i;
        EXPECT_NEAR(g[i].x1 - g[i].x0, 15.0f * kSx, 0.01f) << i;
    }
    expectCell(g[1], ' ');
    expectCell(g[3], ' ');
    glDeleteLists(trap, 1);
}

TEST_F(BitmapFontTest, LongTextsAreCutAt255Characters) {
    font.setScreenSize(4000, 600);  // wide enough for every glyph to survive clipping
    const std::string longText(300, 'x');
    const std::vector<Glyph> g = glyphsOf([&] { font.print(0, 0, "%s", longText.c_str()); });
    ASSERT_EQ(g.size(), 255u);
    const float sx = 1024.0f / 4000.0f;
    EXPECT_NEAR(g.back().x0, 254.0f * 10.0f * sx, 0.05f);
}

TEST_F(BitmapFontTest, PrintLeavesDepthTestOnAndMatricesAsTheyWere) {
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90.0, 1.0, 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.0f, 0.0f, -50.0f);
    const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
    const std::vector<float> modelview = gltest::matrix(GL_MODELVIEW_MATRIX);
    for (bool depthBefore : {false, true}) {
        if (depthBefore) {
            glEnable(GL_DEPTH_TEST);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        font.print(10, 10, "score : %d", 0);
        EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST)) << depthBefore;
        EXPECT_EQ(gltest::matrix(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), modelview);
        EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
        GLint env = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
        EXPECT_EQ(env, GL_MODULATE);
    }
    // An empty text draws nothing but leaves the same state.
    glDisable(GL_DEPTH_TEST);
    font.print(0, 0, "%s", "");
    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
}

TEST_F(BitmapFontTest, GlyphsSampleTheirCellTintedByTheCurrentColour) {
    // A 256 x 256 picture whose cell (c, r) is the colour (16c + 8, 16r + 8, 200).
    std::vector<unsigned char> picture(256 * 256 * 3);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            unsigned char* p = &picture[(y * 256 + x) * 3];
            p[0] = static_cast<unsigned char>(x / 16 * 16 + 8);
            p[1] = static_cast<unsigned char>(y / 16 * 16 + 8);
            p[2] = 200;
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
    BitmapFont tinted;
    buildGameFont(tinted, texture);
    glBindTexture(GL_TEXTURE_2D, 0);

    glColor3f(1.0f, 0.5f, 1.0f);
    // Texts go over the 3D scene, however near it is.
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    tinted.print(100, 100, "A\xE9");
    // Glyph centres: x 107.5 and 117.5, y 107.5 from the top.
    const int y = static_cast<int>((600.0f - 107.5f) * kSy);
    const gltest::Pixel a = gltest::readPixel(static_cast<int>(107.5f * kSx), y);
    const gltest::Pixel e = gltest::readPixel(static_cast<int>(117.5f * kSx), y);
    // 'A' is cell (1, 13); 0xE9 is cell (9, 3). Green is halved by the colour.
    EXPECT_NEAR(a.r, 24, 1);
    EXPECT_NEAR(a.g, (13 * 16 + 8) / 2, 1);
    EXPECT_NEAR(a.b, 200, 1);
    EXPECT_NEAR(e.r, 9 * 16 + 8, 1);
    EXPECT_NEAR(e.g, (3 * 16 + 8) / 2, 1);
    glDeleteTextures(1, &texture);
}

TEST_F(BitmapFontTest, DestructionDeletesEveryGlyphList) {
    GLuint base = 0;
    {
        BitmapFont temporary;
        buildGameFont(temporary, 0);
        base = temporary.listBase();
        ASSERT_EQ(temporary.listCount(), 15 * 16);
        EXPECT_TRUE(glIsList(base));
        EXPECT_TRUE(glIsList(base + 239));
    }
    EXPECT_FALSE(glIsList(base));
    EXPECT_FALSE(glIsList(base + 239));
}

}  // namespace
