// TextRaster: renders text with one FreeType face into coverage masks that can be painted.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace assetgen {

// Grey coverage in [0, 1], row-major, top row first; reads outside give 0.
struct Mask {
    int width = 0, height = 0;
    std::vector<float> coverage;
    // Row of the text baseline and column where the pen started, for placing the text.
    int baseline = 0, penStart = 0;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), coverage(size_t(w) * size_t(h), 0.0f) {}
    float at(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : coverage[size_t(y) * width + x];
    }
    float& ref(int x, int y) { return coverage[size_t(y) * width + x]; }
};

class TextRaster {
public:
    TextRaster();
    ~TextRaster();
    TextRaster(const TextRaster&) = delete;
    TextRaster& operator=(const TextRaster&) = delete;

    // Opens a font file; says which file is missing and returns false when it cannot.
    bool open(const std::string& path);

    // Glyph scale: em size in pixels and a horizontal stretch (1 keeps the design's width).
    void setSize(float pixelsPerEm, float stretchX = 1.0f);

    // Pen advance of a whole line, kerning included, in pixels.
    float measure(const std::u32string& text) const;
    // Height of a capital letter above the baseline, in pixels.
    float capHeight() const;
    // Pixels below the baseline that descenders reach.
    float descent() const;

    // One line of text, padded by pad pixels on every side (room for outlines and glows).
    // With a stroke radius the glyphs are widened by that many pixels all round: rendered with
    // the same pad, the stroked mask lines up with the plain one and serves as its outline.
    Mask render(const std::u32string& text, int pad, float strokeRadius = 0.0f) const;
    // Adds one glyph into target (clipped to it) with its pen at (penX, baselineY); returns
    // the pen advance.
    float drawGlyph(Mask& target, char32_t code, float penX, float baselineY,
                    float strokeRadius = 0.0f) const;

private:
    // Horizontal kerning between two glyph indices, in pixels, stretch included; 0 when either
    // is missing.
    float kerning(unsigned previousGlyph, unsigned glyph) const;

    struct Face;
    std::unique_ptr<Face> face_;
    float pixelsPerEm_ = 16.0f, stretchX_ = 1.0f;
};

}  // namespace assetgen
