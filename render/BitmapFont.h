// BitmapFont: printf-style text from a grid of glyphs, one display list per character.
#pragma once

#include <GL/gl.h>

// Text is laid out on a virtual screen (800 x 600 in the game) with y measured from the top.
// The glyph picture is a grid of (columns + 1) x (rows + 1) cells; the top `rows` rows hold the
// characters from firstChar on, left to right, and the bottom row is unused.
class BitmapFont {
public:
    BitmapFont() = default;
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // The setters may come in any order before build; setScreenSize also at any time after.
    void setTexture(GLuint texture, int columns, int rows);
    void setFirstChar(int code) { firstChar_ = code; }
    void setGlyphSize(int width, int height, int advance);
    void setScreenSize(int width, int height);

    // Compiles one display list per glyph; called once, after the setters.
    void build();

    // Formats like printf (at most 255 bytes of output, the rest is cut) and draws the text
    // with its top-left corner x units from the left and y units from the top. The text takes
    // the current colour; the caller enables 2D texturing and, if wanted, blending. Leaves the
    // depth test enabled whatever it was before. Bytes outside the font's characters (control
    // codes) are drawn as spaces, or skipped when the font has no space.
    void print(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));

    GLuint listBase() const { return listBase_; }
    int listCount() const { return listCount_; }

private:
    int glyphHeight_ = 0;
    int glyphWidth_ = 0;
    int advance_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    int firstChar_ = 0;
    int screenHeight_ = 600;
    int screenWidth_ = 800;
    GLuint texture_ = 0;
    GLuint listBase_ = 0;
    int listCount_ = 0;
};
