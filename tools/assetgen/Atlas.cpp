// Atlas: cell rectangles to texture coordinates, supersampled cell painting, mask helpers.
#include "tools/assetgen/Atlas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

UvRect AtlasCell::uv(const Canvas& canvas) const {
    UvRect r;
    r.x0 = x0 + inset;
    r.y0 = y0 + inset;
    r.x1 = x1 - inset;
    r.y1 = y1 - inset;
    r.atlasWidth = canvas.width();
    r.atlasHeight = canvas.height();
    return r;
}

void paintCell(Canvas& canvas, const AtlasCell& cell, const CellPaint& paint) {
    const UvRect r = cell.uv(canvas);
    for (int y = cell.y0; y < cell.y1; ++y) {
        for (int x = cell.x0; x < cell.x1; ++x) {
            Rgb sum;
            for (int k = 0; k < 4; ++k) {
                const float px = x + 0.25f + 0.5f * (k & 1), py = y + 0.25f + 0.5f * (k >> 1);
                const float s = std::clamp((px - r.x0) / (r.x1 - r.x0), 0.0f, 1.0f);
                const float t = std::clamp((r.y1 - py) / (r.y1 - r.y0), 0.0f, 1.0f);
                const Rgb c = paint(s, t);
                sum = Rgb{sum.r + c.r * 0.25f, sum.g + c.g * 0.25f, sum.b + c.b * 0.25f};
            }
            canvas.set(x, y, sum);
        }
    }
}

float ellipseMask(float s, float t, float cs, float ct, float rs, float rt, float soft) {
    const float ds = (s - cs) / rs, dt = (t - ct) / rt;
    const float d = std::sqrt(ds * ds + dt * dt);
    return 1.0f - smoothstep(1.0f - soft, 1.0f, d);
}

}  // namespace assetgen
