// Building: draws the tower at the origin.
#include "entities/Building.h"

#include <GL/gl.h>

#include "render/ToonRenderer.h"

Building::~Building() = default;

void Building::draw() {
    if (!renderer_) {
        return;
    }
    // Pushed back a little in depth, so an otter touching a wall is drawn over it, not into it.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 2.0f);
    // Standing at the origin, the world light is already in the model's own coordinates.
    renderer_->draw(model_, light_ ? *light_ : Vector3());
    glDisable(GL_POLYGON_OFFSET_FILL);
}
