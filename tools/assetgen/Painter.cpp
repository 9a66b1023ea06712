// Painter: anti-aliased shapes, additive glows and outlined text in layout units.
#include "tools/assetgen/Painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

// Signed distance from p to a rounded rectangle, negative inside.
float roundedRectDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float hx = (x1 - x0) * 0.5f - r, hy = (y1 - y0) * 0.5f - r;
    const float qx = std::fabs(px - (x0 + x1) * 0.5f) - hx;
    const float qy = std::fabs(py - (y0 + y1) * 0.5f) - hy;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

bool insidePolygon(const std::vector<Point>& p, float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i].y > y) != (p[j].y > y) &&
            x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x) {
            inside = !inside;
        }
    }
    return inside;
}

struct Bounds {
    int x0, y0, x1, y1;  // inclusive pixel range, clipped to the canvas
};

Bounds clippedBounds(const Canvas& c, float x0, float y0, float x1, float y1) {
    return Bounds{std::max(0, int(std::floor(x0))), std::max(0, int(std::floor(y0))),
                  std::min(c.width() - 1, int(std::ceil(x1))),
                  std::min(c.height() - 1, int(std::ceil(y1)))};
}

std::vector<Point> scaled(const std::vector<Point>& points, float unit) {
    std::vector<Point> out = points;
    for (Point& p : out) {
        p.x *= unit;
        p.y *= unit;
    }
    return out;
}

}  // namespace

void Painter::ellipse(float cx, float cy, float rx, float ry, const Rgb& c, float angleDegrees,
                      float opacity) {
    const float ux = cx * unit_, uy = cy * unit_, urx = rx * unit_, ury = ry * unit_;
    const float reach = std::max(urx, ury) + 2.0f;
    const float cosA = std::cos(angleDegrees * kPi / 180.0f);
    const float sinA = std::sin(angleDegrees * kPi / 180.0f);
    const float smaller = std::min(urx, ury);
    const Bounds b = clippedBounds(canvas_, ux - reach, uy - reach, ux + reach, uy + reach);
    for (int y = b.y0; y <= b.y1; ++y) {
        for (int x = b.x0; x <= b.x1; ++x) {
            const float dx = x + 0.5f - ux, dy = y + 0.5f - uy;
            const float lx = (dx * cosA + dy * sinA) / urx;
            const float ly = (-dx * sinA + dy * cosA) / ury;
            const float outside = (std::sqrt(lx * lx + ly * ly) - 1.0f) * smaller;
            canvas_.blend(x, y, c, std::clamp(0.5f - outside, 0.0f, 1.0f) * opacity);
        }
    }
}

void Painter::rect(float x0, float y0, float x1, float y1, const Rgb& c, float opacity) {
    x0 *= unit_, y0 *= unit_, x1 *= unit_, y1 *= unit_;
    const Bounds b = clippedBounds(canvas_, x0, y0, x1, y1);
    for (int y = b.y0; y <= b.y1; ++y) {
        const float cy = std::clamp(std::min(y + 1.0f, y1) - std::max(float(y), y0), 0.0f, 1.0f);
        for (int x = b.x0; x <= b.x1; ++x) {
            const float cx =
                std::clamp(std::min(x + 1.0f, x1) - std::max(float(x), x0), 0.0f, 1.0f);
            canvas_.blend(x, y, c, cx * cy * opacity);
        }
    }
}

void Painter::roundedRect(float x0, float y0, float x1, float y1, float radius, const Rgb& top,
                          const Rgb& bottom, float opacity) {
    x0 *= unit_, y0 *= unit_, x1 *= unit_, y1 *= unit_, radius *= unit_;
    const Bounds b = clippedBounds(canvas_, x0 - 1, y0 - 1, x1 + 1, y1 + 1);
    for (int y = b.y0; y <= b.y1; ++y) {
        const Rgb c = mix(top, bottom, std::clamp((y + 0.5f - y0) / (y1 - y0), 0.0f, 1.0f));
        for (int x = b.x0; x <= b.x1; ++x) {
            const float d = roundedRectDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1, radius);
            canvas_.blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f) * opacity);
        }
    }
}

void Painter::line(float x0, float y0, float x1, float y1, float width, const Rgb& c,
                   float opacity) {
    x0 *= unit_, y0 *= unit_, x1 *= unit_, y1 *= unit_, width *= unit_;
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    const Bounds b = clippedBounds(canvas_, std::min(x0, x1) - width, std::min(y0, y1) - width,
                                   std::max(x0, x1) + width, std::max(y0, y1) + width);
    for (int y = b.y0; y <= b.y1; ++y) {
        for (int x = b.x0; x <= b.x1; ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            const float ex = px - t * dx, ey = py - t * dy;
            const float d = std::sqrt(ex * ex + ey * ey) - width * 0.5f;
            canvas_.blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f) * opacity);
        }
    }
}

void Painter::polygon(const std::vector<Point>& points, const Rgb& c, float opacity) {
    if (points.size() < 3) {
        return;
    }
    const std::vector<Point> p = scaled(points, unit_);
    float y0 = p[0].y, y1 = y0;
    for (const Point& q : p) {
        y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
    }
    // Scanlines: four sub-rows per pixel row; along each, the even-odd spans between edge
    // crossings add their exact horizontal overlap to the pixels they cross.
    constexpr int kSubRows = 4;
    std::vector<float> coverage(size_t(canvas_.width()), 0.0f);
    std::vector<float> crossings;
    const int row0 = std::max(0, int(std::floor(y0))),
              row1 = std::min(canvas_.height() - 1, int(y1));
    for (int y = row0; y <= row1; ++y) {
        std::fill(coverage.begin(), coverage.end(), 0.0f);
        int xMin = canvas_.width(), xMax = -1;
        for (int sub = 0; sub < kSubRows; ++sub) {
            const float sy = y + (sub + 0.5f) / kSubRows;
            crossings.clear();
            for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
                if ((p[i].y > sy) != (p[j].y > sy)) {
                    crossings.push_back(p[i].x +
                                        (sy - p[i].y) * (p[j].x - p[i].x) / (p[j].y - p[i].y));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                const float a = std::max(crossings[k], 0.0f);
                const float b = std::min(crossings[k + 1], float(canvas_.width()));
                for (int x = int(a); x < b && x < canvas_.width(); ++x) {
                    const float overlap = std::min(b, x + 1.0f) - std::max(a, float(x));
                    coverage[size_t(x)] += std::max(overlap, 0.0f) / kSubRows;
                    xMin = std::min(xMin, x), xMax = std::max(xMax, x);
                }
            }
        }
        for (int x = xMin; x <= xMax; ++x) {
            canvas_.blend(x, y, c, std::min(coverage[size_t(x)], 1.0f) * opacity);
        }
    }
}

void Painter::polygonHard(const std::vector<Point>& points, const Rgb& c) {
    if (points.size() < 3) {
        return;
    }
    const std::vector<Point> p = scaled(points, unit_);
    for (int y = 0; y < canvas_.height(); ++y) {
        for (int x = 0; x < canvas_.width(); ++x) {
            if (insidePolygon(p, x + 0.5f, y + 0.5f)) {
                canvas_.set(x, y, c);
            }
        }
    }
}

void Painter::gradientBand(float y0, float y1, const Rgb& top, const Rgb& bottom) {
    const int row0 = std::max(0, int(std::floor(y0 * unit_)));
    const int row1 = std::min(canvas_.height(), int(std::ceil(y1 * unit_)));
    for (int y = row0; y < row1; ++y) {
        const float t = std::clamp((y + 0.5f - y0 * unit_) / ((y1 - y0) * unit_), 0.0f, 1.0f);
        const Rgb c = mix(top, bottom, t);
        for (int x = 0; x < canvas_.width(); ++x) {
            canvas_.set(x, y, c);
        }
    }
}

void Painter::glow(float cx, float cy, float radius, const Rgb& c, float strength) {
    const float ux = cx * unit_, uy = cy * unit_, ur = radius * unit_;
    const Bounds b = clippedBounds(canvas_, ux - ur, uy - ur, ux + ur, uy + ur);
    for (int y = b.y0; y <= b.y1; ++y) {
        for (int x = b.x0; x <= b.x1; ++x) {
            const float dx = x + 0.5f - ux, dy = y + 0.5f - uy;
            const float t = 1.0f - std::sqrt(dx * dx + dy * dy) / ur;
            if (t <= 0.0f) {
                continue;
            }
            const float k = t * t * strength;
            const Rgb p = canvas_.get(x, y);
            canvas_.set(x, y, Rgb{p.r + c.r * k, p.g + c.g * k, p.b + c.b * k});
        }
    }
}

void Painter::sparkle(float cx, float cy, float size, const Rgb& c) {
    glow(cx, cy, size * 2.5f, c, 0.35f);
    line(cx - size * 2.0f, cy, cx + size * 2.0f, cy, size * 0.22f, c, 0.7f);
    line(cx, cy - size * 2.0f, cx, cy + size * 2.0f, size * 0.22f, c, 0.7f);
    circle(cx, cy, size * 0.45f, c);
}

void Painter::mask(const Mask& m, int x, int y, const Rgb& top, const Rgb& bottom,
                   float gradientTop, float gradientBottom, float opacity) {
    const float span = std::max(gradientBottom - gradientTop, 1.0f);
    for (int my = 0; my < m.height; ++my) {
        const float t = std::clamp((y + my + 0.5f - gradientTop) / span, 0.0f, 1.0f);
        const Rgb c = mix(top, bottom, t);
        const float* row = &m.coverage[size_t(my) * m.width];
        for (int mx = 0; mx < m.width; ++mx) {
            if (row[mx] > 0.0f) {
                canvas_.blend(x + mx, y + my, c, row[mx] * opacity);
            }
        }
    }
}

float Painter::text(TextRaster& raster, const std::u32string& line, float size, float cx, float cy,
                    const TextLook& look) {
    raster.setSize(size * unit_);
    const float stroke = look.outlineWidth * unit_;
    const int blur = int(std::lround(look.shadowBlur * unit_));
    const int pad = int(std::ceil(stroke)) + 3 * blur + 2;
    const Mask fill = raster.render(line, pad);
    const Mask outline = stroke > 0.0f ? raster.render(line, pad, stroke) : fill;
    const float width = raster.measure(line);
    const float cap = raster.capHeight();
    const int x = int(std::lround(cx * unit_ - width * 0.5f)) - fill.penStart;
    const int y = int(std::lround(cy * unit_ + cap * 0.5f)) - fill.baseline;
    if (look.shadowOpacity > 0.0f) {
        const Mask shadow = blur > 0 ? blurMask(outline, blur) : outline;
        const int offset = int(std::lround(look.shadowOffset * unit_));
        mask(shadow, x + offset, y + offset, look.outline, look.outline, 0.0f, 1.0f,
             look.shadowOpacity);
    }
    if (stroke > 0.0f) {
        mask(outline, x, y, look.outline, look.outline, 0.0f, 1.0f);
    }
    const float baseline = float(y + fill.baseline);
    mask(fill, x, y, look.top, look.bottom, baseline - cap, baseline);
    return width / unit_;
}

std::vector<Point> insetPolygon(const std::vector<Point>& points, float distance) {
    const size_t n = points.size();
    if (n < 3) {
        return points;
    }
    float area = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % n];
        area += a.x * b.y - b.x * a.y;
    }
    // Each edge moves along its inward normal; each vertex becomes the meeting point of its
    // two moved edges.
    const float side = area > 0.0f ? 1.0f : -1.0f;
    std::vector<Point> origin(n), direction(n);
    for (size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % n];
        const float dx = b.x - a.x, dy = b.y - a.y;
        const float len = std::max(std::sqrt(dx * dx + dy * dy), 1e-6f);
        const float nx = -dy / len * side, ny = dx / len * side;
        origin[i] = Point{a.x + nx * distance, a.y + ny * distance};
        direction[i] = Point{dx, dy};
    }
    std::vector<Point> out(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t prev = (i + n - 1) % n;
        const Point& p = origin[prev];
        const Point& d1 = direction[prev];
        const Point& q = origin[i];
        const Point& d2 = direction[i];
        const float cross = d1.x * d2.y - d1.y * d2.x;
        if (std::fabs(cross) < 1e-6f) {
            out[i] = q;
            continue;
        }
        const float t = ((q.x - p.x) * d2.y - (q.y - p.y) * d2.x) / cross;
        out[i] = Point{p.x + d1.x * t, p.y + d1.y * t};
    }
    return out;
}

Mask blurMask(const Mask& m, int radius) {
    // Running sums along rows, then columns, three times over; outside the mask is empty.
    Mask a = m;
    const float norm = 1.0f / float(2 * radius + 1);
    std::vector<float> padded;
    const auto blurLine = [&](float* first, int count, int stride) {
        padded.assign(size_t(count + 2 * radius + 1), 0.0f);
        for (int i = 0; i < count; ++i) {
            padded[size_t(i + radius)] = first[size_t(i) * stride];
        }
        float sum = 0.0f;
        for (int k = 0; k < 2 * radius + 1; ++k) {
            sum += padded[size_t(k)];
        }
        for (int i = 0; i < count; ++i) {
            first[size_t(i) * stride] = sum * norm;
            sum += padded[size_t(i + 2 * radius + 1)] - padded[size_t(i)];
        }
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < a.height; ++y) {
            blurLine(&a.coverage[size_t(y) * a.width], a.width, 1);
        }
        for (int x = 0; x < a.width; ++x) {
            blurLine(&a.coverage[size_t(x)], a.height, a.width);
        }
    }
    return a;
}

Canvas keyedCanvas(int width, int height) {
    return Canvas(width, height, Rgb{-1.0f, -1.0f, -1.0f});
}

void finishKeyed(Canvas& canvas) {
    const Rgb nearBlack = rgb(8, 8, 12);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            Rgb p = canvas.get(x, y);
            if (p.r < -0.5f && p.g < -0.5f && p.b < -0.5f) {
                canvas.set(x, y, Rgb{});
                continue;
            }
            p = Rgb{std::max(p.r, 0.0f), std::max(p.g, 0.0f), std::max(p.b, 0.0f)};
            const float brightest = std::max({p.r, p.g, p.b});
            canvas.set(x, y, brightest * 255.0f < 0.5f ? nearBlack : p);
        }
    }
}

namespace {

// Weights of the source pixels under output pixel i when n source pixels map onto m.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> areaSpans(int n, int m) {
    std::vector<Span> spans(m);
    const float scale = float(n) / float(m);
    for (int i = 0; i < m; ++i) {
        const float a = i * scale, b = (i + 1) * scale;
        Span& s = spans[i];
        s.first = std::min(int(std::floor(a)), n - 1);
        float total = 0.0f;
        for (int j = s.first; j < n && j < b; ++j) {
            const float w = std::min(b, j + 1.0f) - std::max(a, float(j));
            s.weights.push_back(std::max(w, 0.0f));
            total += std::max(w, 0.0f);
        }
        for (float& w : s.weights) {
            w /= total;
        }
    }
    return spans;
}

}  // namespace

Canvas resampleArea(const Canvas& source, int width, int height) {
    // Works on the quantised bytes: one read of the source instead of a call per weight.
    const std::vector<uint8_t> bytes = source.bytes();
    const std::vector<Span> columns = areaSpans(source.width(), width);
    const std::vector<Span> rows = areaSpans(source.height(), height);
    std::vector<float> across(size_t(width) * source.height() * 3, 0.0f);
    for (int y = 0; y < source.height(); ++y) {
        const uint8_t* in = &bytes[size_t(y) * source.width() * 3];
        float* out = &across[size_t(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            const Span& s = columns[size_t(x)];
            for (size_t k = 0; k < s.weights.size(); ++k) {
                const uint8_t* p = in + (size_t(s.first) + k) * 3;
                for (int c = 0; c < 3; ++c) {
                    out[x * 3 + c] += p[c] * s.weights[k];
                }
            }
        }
    }
    Canvas result(width, height);
    for (int y = 0; y < height; ++y) {
        const Span& s = rows[size_t(y)];
        for (int x = 0; x < width; ++x) {
            float sum[3] = {0.0f, 0.0f, 0.0f};
            for (size_t k = 0; k < s.weights.size(); ++k) {
                const float* p = &across[((size_t(s.first) + k) * width + x) * 3];
                for (int c = 0; c < 3; ++c) {
                    sum[c] += p[c] * s.weights[k];
                }
            }
            result.set(x, y, Rgb{sum[0] / 255.0f, sum[1] / 255.0f, sum[2] / 255.0f});
        }
    }
    return result;
}

}  // namespace assetgen
