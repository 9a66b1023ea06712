// CursorSparkles: the trail of rotating, fading sparkles every menu draws at its mouse cursor.
#pragma once

#include <memory>

#include "render/Vector3.h"

class Texture;

class CursorSparkles {
public:
    // The one trail all menus share, built on first use (needs the GL context).
    static CursorSparkles& instance();

    CursorSparkles();
    ~CursorSparkles();
    CursorSparkles(const CursorSparkles&) = delete;
    CursorSparkles& operator=(const CursorSparkles&) = delete;

    // cursor in sprite space (1024 x 768, y up). Emits a sparkle at most every 50 ms, moves
    // and draws all of them, and restores the state it changed.
    void updateAndDraw(const Vector3& cursor);

    struct Sparkle {
        Vector3 position;
        float age = 0.0f;
        Vector3 velocity{0.0f, 10.0f, 0.0f};
        float red = 0.0f, green = 0.0f, blue = 0.0f;
        bool alive = false;
        float angle = 0.0f;
    };
    static constexpr int kCount = 200;
    const Sparkle& sparkle(int i) const { return sparkles_[i]; }
    int liveCount() const;

private:
    // A new sparkle at the cursor, in the place of the oldest.
    void emit(const Vector3& cursor);

    std::unique_ptr<Sparkle[]> sparkles_;
    float lastFrameTime_;
    float lastEmitTime_;
    float emitInterval_ = 50.0f;
    Vector3 previousCursor_;
    int next_ = 0;
    std::unique_ptr<Texture> texture_;
};
