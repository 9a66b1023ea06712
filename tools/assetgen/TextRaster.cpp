// TextRaster: FreeType glyph loading, optional stroking, and coverage masks of text lines.
#include "tools/assetgen/TextRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assetgen {

struct TextRaster::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Stroker stroker = nullptr;

    ~Face() {
        if (stroker) {
            FT_Stroker_Done(stroker);
        }
        if (face) {
            FT_Done_Face(face);
        }
        if (library) {
            FT_Done_FreeType(library);
        }
    }
};

namespace {

FT_Fixed fixed16(float v) { return FT_Fixed(std::lround(v * 65536.0f)); }

}  // namespace

TextRaster::TextRaster() : face_(std::make_unique<Face>()) {}

TextRaster::~TextRaster() = default;

bool TextRaster::open(const std::string& path) {
    if (!face_->library && FT_Init_FreeType(&face_->library) != 0) {
        std::fprintf(stderr, "assetgen: cannot start FreeType\n");
        return false;
    }
    if (FT_New_Face(face_->library, path.c_str(), 0, &face_->face) != 0) {
        face_->face = nullptr;
        std::fprintf(stderr,
                     "assetgen: cannot read the font %s (the DejaVu fonts are needed: install "
                     "fonts-dejavu-core)\n",
                     path.c_str());
        return false;
    }
    if (FT_Stroker_New(face_->library, &face_->stroker) != 0) {
        std::fprintf(stderr, "assetgen: cannot create a FreeType stroker\n");
        return false;
    }
    setSize(pixelsPerEm_, stretchX_);
    return true;
}

void TextRaster::setSize(float pixelsPerEm, float stretchX) {
    pixelsPerEm_ = pixelsPerEm;
    stretchX_ = stretchX;
    if (face_->face) {
        // At 72 dots per inch a point is a pixel, so the char size is the em size in pixels.
        FT_Set_Char_Size(face_->face, 0, FT_F26Dot6(std::lround(pixelsPerEm * 64.0f)), 72, 72);
    }
}

float TextRaster::kerning(unsigned previousGlyph, unsigned glyph) const {
    if (previousGlyph == 0 || glyph == 0) {
        return 0.0f;
    }
    FT_Vector kern{};
    FT_Get_Kerning(face_->face, previousGlyph, glyph, FT_KERNING_UNFITTED, &kern);
    return kern.x / 64.0f * stretchX_;
}

float TextRaster::measure(const std::u32string& text) const {
    if (!face_->face) {
        return 0.0f;
    }
    FT_Matrix stretch{fixed16(stretchX_), 0, 0, fixed16(1.0f)};
    FT_Set_Transform(face_->face, &stretch, nullptr);
    float width = 0.0f;
    FT_UInt previous = 0;
    for (char32_t code : text) {
        const FT_UInt index = FT_Get_Char_Index(face_->face, code);
        width += kerning(previous, index);
        if (FT_Load_Glyph(face_->face, index, FT_LOAD_NO_HINTING) == 0) {
            width += face_->face->glyph->advance.x / 64.0f;
        }
        previous = index;
    }
    return width;
}

float TextRaster::capHeight() const {
    if (!face_->face) {
        return 0.0f;
    }
    FT_Set_Transform(face_->face, nullptr, nullptr);
    if (FT_Load_Char(face_->face, 'H', FT_LOAD_NO_HINTING) != 0) {
        return pixelsPerEm_ * 0.73f;
    }
    return face_->face->glyph->metrics.horiBearingY / 64.0f;
}

float TextRaster::descent() const {
    return face_->face ? -face_->face->size->metrics.descender / 64.0f : 0.0f;
}

float TextRaster::drawGlyph(Mask& target, char32_t code, float penX, float baselineY,
                            float strokeRadius) const {
    if (!face_->face) {
        return 0.0f;
    }
    // The fractional pen position goes into the transform so that glyphs keep their exact
    // spacing instead of snapping to whole pixels.
    const float whole = std::floor(penX);
    FT_Matrix stretch{fixed16(stretchX_), 0, 0, fixed16(1.0f)};
    FT_Vector delta{FT_Pos(std::lround((penX - whole) * 64.0f)), 0};
    FT_Set_Transform(face_->face, &stretch, &delta);
    const FT_UInt index = FT_Get_Char_Index(face_->face, code);
    if (FT_Load_Glyph(face_->face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) {
        return 0.0f;
    }
    const float advance = face_->face->glyph->advance.x / 64.0f;
    FT_Glyph glyph = nullptr;
    if (FT_Get_Glyph(face_->face->glyph, &glyph) != 0) {
        return advance;
    }
    if (strokeRadius > 0.0f && glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Stroker_Set(face_->stroker, FT_Fixed(std::lround(strokeRadius * 64.0f)),
                       FT_STROKER_LINECAP_ROUND, FT_STROKER_LINEJOIN_ROUND, 0);
        FT_Glyph_StrokeBorder(&glyph, face_->stroker, false, true);
    }
    if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, true) == 0) {
        const FT_BitmapGlyph bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(glyph);
        const FT_Bitmap& bitmap = bitmapGlyph->bitmap;
        const int left = int(whole) + bitmapGlyph->left;
        const int top = int(std::lround(baselineY)) - bitmapGlyph->top;
        for (int row = 0; row < int(bitmap.rows); ++row) {
            const int y = top + row;
            if (y < 0 || y >= target.height) {
                continue;
            }
            for (int col = 0; col < int(bitmap.width); ++col) {
                const int x = left + col;
                if (x < 0 || x >= target.width) {
                    continue;
                }
                const float value = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
                float& cell = target.ref(x, y);
                cell = std::max(cell, value);
            }
        }
    }
    FT_Done_Glyph(glyph);
    return advance;
}

Mask TextRaster::render(const std::u32string& text, int pad, float strokeRadius) const {
    if (!face_->face) {
        return Mask();
    }
    // Bold glyphs can overhang their advance by a pixel or two: keep a small margin.
    const int margin = pad + 2;
    const float ascent = face_->face->size->metrics.ascender / 64.0f;
    Mask mask(int(std::ceil(measure(text))) + 2 * margin,
              int(std::ceil(ascent + descent())) + 2 * margin);
    mask.baseline = margin + int(std::ceil(ascent));
    mask.penStart = margin;
    float pen = float(margin);
    FT_UInt previous = 0;
    for (char32_t code : text) {
        const FT_UInt index = FT_Get_Char_Index(face_->face, code);
        pen += kerning(previous, index);
        pen += drawGlyph(mask, code, pen, float(mask.baseline), strokeRadius);
        previous = index;
    }
    return mask;
}

}  // namespace assetgen
