// FeedbackZoomEffect: blends each frame with an enlarged, yellowed copy of the previous one.
#pragma once

#include <GL/gl.h>

// A short event effect (an otter reached the building): for a moment the view widens and
// smears, then fades back. The picture of each drawn frame becomes the "previous frame" of the
// next one through a square texture that holds a picture row (1024 x 1024 for the 1024 x 768
// picture).
class FeedbackZoomEffect {
public:
    // The level curve alone: plain arithmetic, no OpenGL, so it can be checked on its own.
    // level 1 means idle; below 1 the effect shows, falling while direction is -1 and
    // climbing back once it has bottomed out at 0.45.
    struct LevelCurve {
        float level = 1.0f;
        float direction = -1.0f;

        // Starts (or, while fading, restarts) the growth from the current level.
        void trigger();
        // Advances by dt seconds.
        void update(float dt);
        void reset();
        bool active() const { return level < 1.0f; }
        // Weight of the new frame in the blend; never below 0.55 so the old picture never
        // dominates.
        float newFrameWeight() const { return level < 0.55f ? 0.55f : level; }
        // Vertical field of view, degrees, of the projection the effect leaves loaded.
        float fieldOfView() const { return 110.0f - 20.0f * newFrameWeight(); }
    };

    FeedbackZoomEffect();
    ~FeedbackZoomEffect();
    FeedbackZoomEffect(const FeedbackZoomEffect&) = delete;
    FeedbackZoomEffect& operator=(const FeedbackZoomEffect&) = delete;

    void trigger() { curve_.trigger(); }
    void update(float dt) { curve_.update(dt); }
    void reset() { curve_.reset(); }

    // Only while active: blends the previous picture over the frame, leaves the widened
    // 3D projection loaded and keeps the result as the next previous picture.
    // When idle it does nothing at all.
    void draw();

    float level() const { return curve_.level; }
    float direction() const { return curve_.direction; }
    GLuint texture() const { return texture_; }

private:
    // Follows the picture's size; false when it changed since the last draw (the texture then
    // holds no previous picture of this size).
    bool fitPicture();
    void blendPreviousPicture(float newFrameWeight);

    GLuint texture_ = 0;
    int textureSize_ = 0;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    LevelCurve curve_;
};
