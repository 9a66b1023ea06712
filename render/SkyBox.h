// SkyBox: six textured faces of a huge box kept centred on the camera.
#pragma once

#include <GL/gl.h>

#include <memory>

class Texture;

class SkyBox {
public:
    enum Face { kBack, kFront, kBottom, kTop, kLeft, kRight, kFaceCount };

    SkyBox();
    ~SkyBox();
    SkyBox(const SkyBox&) = delete;
    SkyBox& operator=(const SkyBox&) = delete;

    // Loads folder/back.bmp, front.bmp, bottom.bmp, top.bmp, left.bmp and right.bmp with the
    // world texture parameters (mipmaps, filters from the filtering setting, reduction from the
    // quality setting, clamped wrap, pure blue keyed out). Faces that do not exist yet are
    // created; loading again replaces their pictures. True when all six loaded.
    bool load(const char* folder, int quality, int filtering);

    // Takes ownership of a face's texture (deleting the previous one); null leaves the face
    // untextured.
    void setFace(Face face, std::unique_ptr<Texture> texture);
    Texture* face(Face face) const { return faces_[face].get(); }

    // Draws the box centred on the camera at (cx, cy, cz). The caller has enabled texturing
    // and set the colour the faces are modulated with; depth state is left as the caller set
    // it. A face without a texture is drawn untextured in that colour.
    void draw(float cx, float cy, float cz) const;

    // The same, binding the given texture names (0 = untextured) instead of the faces' own.
    void drawWithNames(const GLuint (&names)[kFaceCount], float cx, float cy, float cz) const;

    float edgeX() const { return edgeX_; }
    float edgeY() const { return edgeY_; }
    float edgeZ() const { return edgeZ_; }

private:
    std::unique_ptr<Texture> faces_[kFaceCount];
    // Half an edge (4999.5) puts even the corners, about 8660 from the camera in the middle,
    // inside the game's far plane at 10000.
    float edgeY_ = 9999.0f;
    float edgeX_ = 9999.0f;
    float edgeZ_ = 9999.0f;
};
