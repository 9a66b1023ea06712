// ToonRenderer: draws a Model with toon shading and a black outline; base of the three variants.
#pragma once

#include <GL/gl.h>

#include "render/Vector3.h"

class Model;

// Expects on entry: depth test on, blending off, filled polygons, 2D texturing on unit 0 and
// unit 0 active. Every operation leaves face culling off, filled polygons, blending off and 2D
// texturing on unit 0; draw also leaves the depth function at GL_LEQUAL, and drawing an
// outline leaves the line width at 3. The light is given in the model's own coordinates.
class ToonRenderer {
public:
    ToonRenderer() = default;
    ToonRenderer(const ToonRenderer&) = delete;
    ToonRenderer& operator=(const ToonRenderer&) = delete;

    // Ramp shade times the model's skin, outlined.
    virtual void draw(const Model* model, Vector3 light);
    // Ramp shade times the current colour; the outline is optional.
    virtual void drawFlat(const Model* model, Vector3 light, bool outline);
    virtual ~ToonRenderer();

    // The ramp texture's OpenGL name (0 until set); switched for the glow pass.
    void setToonTexture(GLuint name) { toonTexture_ = name; }
    GLuint toonTexture() const { return toonTexture_; }

protected:
    // Pointers into the model's shared interleaved vertices (null for a model without
    // vertices); drawTriangles draws them through the model's indices.
    static const float* positionsOf(const Model* model);
    static const float* skinCoordinatesOf(const Model* model);
    static const float* normalsOf(const Model* model);
    // The skin's texture name; a model without a skin uses the default texture.
    static GLuint skinOf(const Model* model);
    static void drawTriangles(const Model* model);
    // Back faces as 3-pixel black lines where nothing hides them: silhouette and creases.
    // Face culling must already be enabled; the vertex array must be set up.
    static void drawOutline(const Model* model);
    // The flat drawing's lighter outline: back faces only, at the caller's depth function, and
    // back faces filled again afterwards. Texturing must already be off.
    static void drawFlatOutline(const Model* model);
    // After draw's outline: vertex array and culling off, filled polygons, the depth function
    // back at GL_LEQUAL and texturing on again on unit 0 (the active one).
    static void endOutlinedDraw();
    // The two-unit variants' textures: the ramp replacing on unit 0, the skin modulating it on
    // unit 1; leaves unit 0 active.
    void bindRampAndSkinUnits(const Model* model) const;
    // Texturing off on units 1 and 0, leaving unit 0 active; for the two-unit variants.
    static void disableTexturingOnBothUnits();

private:
    GLuint toonTexture_ = 0;
};

// Draws the model's triangles untextured through the vertex array only, which it enables and
// disables again; for picking.
void drawModelGeometry(const Model* model);
