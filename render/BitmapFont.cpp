// BitmapFont: printf-style text from a grid of glyphs, one display list per character.
#include "render/BitmapFont.h"
#include "render/ScreenSpace.h"

#include <cstdarg>
#include <cstdio>

void BitmapFont::setTexture(GLuint texture, int columns, int rows) {
    texture_ = texture;
    columns_ = columns;
    rows_ = rows;
}

void BitmapFont::setGlyphSize(int width, int height, int advance) {
    glyphWidth_ = width;
    glyphHeight_ = height;
    advance_ = advance;
}

void BitmapFont::setScreenSize(int width, int height) {
    screenWidth_ = width;
    screenHeight_ = height;
}

BitmapFont::~BitmapFont() {
    if (listCount_ > 0) {
        glDeleteLists(listBase_, listCount_);
    }
}

void BitmapFont::build() {
    if (listCount_ > 0) {
        glDeleteLists(listBase_, listCount_);
        listCount_ = 0;
    }
    const int count = rows_ * (columns_ + 1);
    if (count <= 0) {
        return;
    }
    listBase_ = glGenLists(count);
    if (listBase_ == 0) {
        return;
    }
    listCount_ = count;

    const float cu = 1.0f / static_cast<float>(columns_ + 1);
    const float cv = 1.0f / static_cast<float>(rows_ + 1);
    const float w = static_cast<float>(glyphWidth_);
    const float h = static_cast<float>(glyphHeight_);
    // Picture rows are counted from the bottom (t = 0), characters from the top row down.
    int k = 0;
    for (int r = rows_; r >= 1; --r) {
        for (int c = 0; c <= columns_; ++c, ++k) {
            glNewList(listBase_ + k, GL_COMPILE);
            glBegin(GL_QUADS);
            glTexCoord2f(c * cu, r * cv);
            glVertex2f(0.0f, 0.0f);
            glTexCoord2f((c + 1) * cu, r * cv);
            glVertex2f(w, 0.0f);
            glTexCoord2f((c + 1) * cu, (r + 1) * cv);
            glVertex2f(w, h);
            glTexCoord2f(c * cu, (r + 1) * cv);
            glVertex2f(0.0f, h);
            glEnd();
            glTranslatef(static_cast<float>(advance_), 0.0f, 0.0f);
            glEndList();
        }
    }
}

void BitmapFont::print(int x, int y, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    // vsnprintf cuts long texts at 255 bytes and always terminates the buffer.
    if (std::vsnprintf(text, sizeof(text), format, args) < 0) {
        text[0] = '\0';
    }
    va_end(args);

    // Each byte picks a list by its unsigned value (Latin-1 letters are above 127). A byte with
    // no glyph would call some other list (or another font's), so it becomes a space.
    unsigned char glyphs[sizeof(text)];
    int count = 0;
    const int space = ' ' - firstChar_;
    const bool hasSpace = space >= 0 && space < listCount_ && space <= 255;
    for (const char* p = text; *p != '\0'; ++p) {
        const int index = static_cast<unsigned char>(*p) - firstChar_;
        if (index >= 0 && index < listCount_ && index <= 255) {
            glyphs[count++] = static_cast<unsigned char>(index);
        } else if (hasSpace) {
            glyphs[count++] = static_cast<unsigned char>(space);
        }
    }

    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_DEPTH_TEST);

    screenspace::enter(screenWidth_, screenHeight_);
    glTranslatef(static_cast<float>(x), static_cast<float>(screenHeight_ - glyphHeight_ - y), 0.0f);

    // The glyph indices already have firstChar taken off, so the base is the first list itself.
    glListBase(listBase_);
    glCallLists(count, GL_UNSIGNED_BYTE, glyphs);

    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
}
