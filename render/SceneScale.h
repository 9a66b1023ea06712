// SceneScale: draws the 3D scene at a lower internal resolution and stretches it over the picture.
#pragma once

#include <GL/gl.h>

// On a software rasteriser most of a frame's cost grows with the pixels drawn. Between
// beginScene and endScene everything goes into the bottom-left corner of the picture, scale x
// its size in each direction; endScene copies that corner into a texture and draws it over the
// whole picture, so what follows (the texts, the radar, the crosshair) is drawn sharp at full
// resolution. At full scale both calls do nothing and the frame is drawn exactly as without.
class SceneScale {
public:
    static constexpr float kFull = 1.0f;
    // Below this the picture turns to mush; it is not worth its savings.
    static constexpr float kSmallest = 0.25f;

    SceneScale() = default;
    ~SceneScale();
    SceneScale(const SceneScale&) = delete;
    SceneScale& operator=(const SceneScale&) = delete;

    // Clamped to kSmallest..kFull; takes effect at the next beginScene.
    void setScale(float scale);
    float scale() const { return scale_; }
    bool reduced() const { return scale_ < kFull; }

    // Narrows the viewport to the scaled corner of the picture (screenspace::sceneRect tells
    // the effects where it lies, and pixel sizes shrink with it). Nothing at full scale.
    void beginScene();
    // Stretches the corner over the picture and gives back the picture's viewport. Leaves 2D
    // texturing disabled, depth test on, blending off. Nothing at full scale.
    void endScene();

private:
    // Makes the texture large enough for the scaled corner (power-of-two sides, so it works on
    // the oldest drivers); only when the picture or the scale grows, never in a steady frame.
    void fitTexture(int width, int height);

    float scale_ = kFull;
    bool inScene_ = false;
    GLuint texture_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};
