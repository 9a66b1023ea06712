// SceneObject: base of every drawable world object: where it stands, its model, its renderer.
#pragma once

#include "render/Vector3.h"

class Model;
class ToonRenderer;

// Neither the renderer nor the model is owned: the game screen keeps one renderer, and many
// objects (every otter) share one model.
class SceneObject {
public:
    SceneObject() = default;
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    // Draws the object where it stands; the base has nothing to draw.
    virtual void draw();
    virtual ~SceneObject();

    ToonRenderer* renderer() const { return renderer_; }
    void setRenderer(ToonRenderer* renderer) { renderer_ = renderer; }
    Model* model() const { return model_; }
    void setModel(Model* model) { model_ = model; }
    // World position of the model's origin, which is the middle of its footprint on y = 0.
    const Vector3& position() const { return position_; }
    void setPosition(const Vector3& position) { position_ = position; }

protected:
    ToonRenderer* renderer_ = nullptr;
    Model* model_ = nullptr;
    Vector3 position_;
};
