// Widgets: the menu buttons (normal and highlighted), arrows and check box, keyed on black.
#include <algorithm>
#include <vector>

#include "tools/assetgen/InterfacePictures.h"
#include "tools/assetgen/Painter.h"

namespace assetgen {

namespace {

const Rgb kInk = rgb(22, 14, 44);

// Widgets are painted at twice their on-screen size: the game's linear filtering then
// averages them down, which smooths every edge except the keyed outline, which stays hard.
constexpr int kOversample = 2;

// The two states of a button: night blue at rest, golden with twinkles under the mouse.
struct ButtonLook {
    Rgb rimTop, rimBottom, bodyTop, bodyBottom, textBottom;
    float gloss;
    bool twinkles;
};

const ButtonLook kNormal{rgb(250, 172, 70),
                         rgb(196, 92, 30),
                         rgb(82, 64, 162),
                         rgb(34, 26, 86),
                         rgb(214, 220, 255),
                         0.16f,
                         false};
const ButtonLook kHover{rgb(255, 250, 210),
                        rgb(255, 206, 110),
                        rgb(255, 206, 80),
                        rgb(234, 106, 28),
                        rgb(255, 244, 214),
                        0.3f,
                        true};

// A four-pointed twinkle, for the highlighted buttons.
void twinkle(Painter& p, float cx, float cy, float size, const Rgb& c) {
    const float w = size * 0.28f;
    p.polygon({{cx, cy - size},
               {cx + w, cy - w},
               {cx + size, cy},
               {cx + w, cy + w},
               {cx, cy + size},
               {cx - w, cy + w},
               {cx - size, cy},
               {cx - w, cy - w}},
              c);
}

// Largest caption size up to preferred whose every line fits in width units.
float fittingSize(TextRaster& bold, const std::vector<std::u32string>& lines, float preferred,
                  float width, float unit) {
    float size = preferred;
    for (const std::u32string& line : lines) {
        bold.setSize(size * unit);
        const float w = bold.measure(line) / unit;
        if (w > width) {
            size *= width / w;
        }
    }
    return size;
}

// A glossy pill: dark keyed outline, warm rim, night-blue body (golden when highlighted) and
// a white caption with a dark outline.
Canvas paintButton(TextRaster& bold, float w, float h, const std::vector<std::u32string>& lines,
                   const ButtonLook& look) {
    Canvas canvas = keyedCanvas(int(w) * kOversample, int(h) * kOversample);
    Painter p(canvas, float(kOversample));
    const float radius = h * 0.5f - 0.5f;
    // The silhouette is hard-edged and keeps a one-pixel keyed border, so the key surrounds
    // the widget and no blended pixel ever touches it.
    const float px = 1.0f;
    canvas.fillRoundedRectHard(px, px, canvas.width() - px, canvas.height() - px,
                               radius * kOversample - px, kInk);
    const float outline = std::max(1.5f, h * 0.055f);
    const float rim = std::max(1.2f, h * 0.05f);
    const float inset = 0.5f + outline;
    p.roundedRect(inset, inset, w - inset, h - inset, radius - inset, look.rimTop, look.rimBottom);
    const float body = inset + rim;
    p.roundedRect(body, body, w - body, h - body, radius - body, look.bodyTop, look.bodyBottom);
    p.roundedRect(body + rim, body + rim * 0.6f, w - body - rim, h * 0.48f,
                  (h * 0.48f - body) * 0.5f, rgb(255, 255, 255), rgb(255, 255, 255), look.gloss);
    // The caption keeps one size in both states so it does not jump under the mouse.
    const float room = w - 2.0f * body - h * 0.5f;
    const float preferred = lines.size() > 1 ? h * 0.3f : h * 0.42f;
    const float size = fittingSize(bold, lines, preferred, room, float(kOversample));
    if (look.twinkles) {
        // Twinkles beside the caption, where there is room for them.
        bold.setSize(size * kOversample);
        float widest = 0.0f;
        for (const std::u32string& line : lines) {
            widest = std::max(widest, bold.measure(line) / kOversample);
        }
        const float star = h * 0.16f;
        const float gap = (w - widest) * 0.5f - body;
        if (gap > star * 2.6f) {
            const float x = body + std::min(gap * 0.5f, h * 0.45f);
            twinkle(p, x, h * 0.5f, star, rgb(255, 255, 235));
            twinkle(p, w - x, h * 0.5f, star, rgb(255, 255, 235));
        }
    }
    TextLook caption;
    caption.top = rgb(255, 255, 255);
    caption.bottom = look.textBottom;
    caption.outline = kInk;
    caption.outlineWidth = size * 0.11f;
    caption.shadowOffset = size * 0.07f;
    caption.shadowOpacity = 0.55f;
    const float spacing = h * 0.3f;
    const float first = h * 0.5f - spacing * 0.5f * float(lines.size() - 1);
    for (size_t i = 0; i < lines.size(); ++i) {
        p.text(bold, lines[i], size, w * 0.5f, first + spacing * float(i), caption);
    }
    finishKeyed(canvas);
    return canvas;
}

// Round orange badge with a white triangle pointing left or right.
Canvas paintArrow(bool right) {
    const float size = 16.0f;
    Canvas canvas = keyedCanvas(int(size) * kOversample, int(size) * kOversample);
    Painter p(canvas, float(kOversample));
    const float c = canvas.width() * 0.5f;
    canvas.fillEllipseHard(c, c, c - 1.0f, c - 1.0f, kInk);
    p.roundedRect(1.6f, 1.6f, size - 1.6f, size - 1.6f, size * 0.5f - 1.6f, rgb(255, 200, 80),
                  rgb(226, 104, 28));
    p.roundedRect(3.5f, 2.6f, size - 3.5f, size * 0.5f, 3.0f, rgb(255, 255, 255),
                  rgb(255, 255, 255), 0.25f);
    std::vector<Point> triangle{{5.9f, 4.0f}, {12.0f, 8.0f}, {5.9f, 12.0f}};
    if (!right) {
        for (Point& q : triangle) {
            q.x = size - q.x;
        }
    }
    p.polygon(insetPolygon(triangle, -1.1f), kInk);
    p.polygon(triangle, rgb(255, 255, 246));
    finishKeyed(canvas);
    return canvas;
}

// The empty box: the game prints its "X" tick over it, so the inside stays dark.
Canvas paintCheckBox() {
    const float size = 16.0f;
    Canvas canvas = keyedCanvas(int(size) * kOversample, int(size) * kOversample);
    Painter p(canvas, float(kOversample));
    canvas.fillRoundedRectHard(1.0f, 1.0f, canvas.width() - 1.0f, canvas.height() - 1.0f, 8.0f,
                               kInk);
    p.roundedRect(1.5f, 1.5f, size - 1.5f, size - 1.5f, 3.0f, rgb(255, 196, 80), rgb(220, 104, 30));
    p.roundedRect(3.0f, 3.0f, size - 3.0f, size - 3.0f, 2.0f, rgb(16, 12, 40), rgb(40, 32, 92));
    finishKeyed(canvas);
    return canvas;
}

struct ButtonArt {
    const char* name;
    std::vector<std::u32string> caption;
    float width, height;  // on screen
};

}  // namespace

bool writeWidgets(const std::string& dir, TextRaster& bold) {
    const std::vector<ButtonArt> buttons{
        {"bouton", {U"Nouvelle", U"partie"}, 128.0f, 64.0f},
        {"resume", {U"Reprendre"}, 256.0f, 64.0f},
        {"options", {U"Options"}, 256.0f, 64.0f},
        {"quitter", {U"Quitter"}, 256.0f, 64.0f},
        {"retour", {U"Retour"}, 64.0f, 32.0f},
        {"optvid", {U"Options vid\u00e9o"}, 512.0f, 64.0f},
        {"optaud", {U"Options audio"}, 512.0f, 64.0f},
        {"optjeu", {U"Options du jeu"}, 512.0f, 64.0f},
    };
    bool ok = true;
    for (const ButtonArt& b : buttons) {
        // Suffix 1 is the highlighted picture shown under the mouse, 2 the normal one.
        const std::string base = dir + b.name;
        ok = paintButton(bold, b.width, b.height, b.caption, kHover).writeBmp(base + "1.bmp") && ok;
        ok =
            paintButton(bold, b.width, b.height, b.caption, kNormal).writeBmp(base + "2.bmp") && ok;
    }
    ok = paintArrow(true).writeBmp(dir + "fleched.bmp") && ok;
    ok = paintArrow(false).writeBmp(dir + "flecheg.bmp") && ok;
    ok = paintCheckBox().writeBmp(dir + "check.bmp") && ok;
    return ok;
}

}  // namespace assetgen
