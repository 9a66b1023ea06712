// SkyBox: loading the six faces and drawing them as quads around the camera.
#include "render/SkyBox.h"

#include <string>
#include <utility>

#include "render/Texture.h"
#include "render/TextureFilters.h"

namespace {

const char* const kFaceFiles[SkyBox::kFaceCount] = {"back.bmp", "front.bmp", "bottom.bmp",
                                                    "top.bmp",  "left.bmp",  "right.bmp"};

// One quad per face: for each corner its texture coordinate and which end of each axis it
// takes (0 = low end, 1 = high end). The pictures are laid out to be seen from inside.
struct FaceCorner {
    float s, t;
    int x, y, z;
};
const FaceCorner kFaceCorners[SkyBox::kFaceCount][4] = {
    {{1, 0, 1, 0, 0}, {1, 1, 1, 1, 0}, {0, 1, 0, 1, 0}, {0, 0, 0, 0, 0}},  // back, z low
    {{1, 0, 0, 0, 1}, {1, 1, 0, 1, 1}, {0, 1, 1, 1, 1}, {0, 0, 1, 0, 1}},  // front, z high
    {{1, 0, 0, 0, 0}, {1, 1, 0, 0, 1}, {0, 1, 1, 0, 1}, {0, 0, 1, 0, 0}},  // bottom, y low
    {{0, 1, 1, 1, 0}, {0, 0, 1, 1, 1}, {1, 0, 0, 1, 1}, {1, 1, 0, 1, 0}},  // top, y high
    {{1, 1, 0, 1, 0}, {0, 1, 0, 1, 1}, {0, 0, 0, 0, 1}, {1, 0, 0, 0, 0}},  // left, x low
    {{0, 0, 1, 0, 0}, {1, 0, 1, 0, 1}, {1, 1, 1, 1, 1}, {0, 1, 1, 1, 0}},  // right, x high
};

}  // namespace

SkyBox::SkyBox() = default;

SkyBox::~SkyBox() = default;

void SkyBox::setFace(Face face, std::unique_ptr<Texture> texture) {
    faces_[face] = std::move(texture);
}

bool SkyBox::load(const char* folder, int quality, int filtering) {
    const TextureFilters filters = worldTextureFilters(filtering);
    const int reduction = textureReduction(quality);
    bool allLoaded = true;
    for (int i = 0; i < kFaceCount; ++i) {
        if (!faces_[i]) {
            faces_[i] = std::make_unique<Texture>();
        }
        const std::string path = std::string(folder) + "/" + kFaceFiles[i];
        const bool loaded =
            faces_[i]->load(path.c_str(), true, filters.magnification, filters.minification,
                            GL_CLAMP, GL_CLAMP, reduction, false, 0, 0, 255, 0, 1);
        allLoaded = allLoaded && loaded;
    }
    return allLoaded;
}

void SkyBox::draw(float cx, float cy, float cz) const {
    GLuint names[kFaceCount];
    for (int i = 0; i < kFaceCount; ++i) {
        names[i] = faces_[i] ? faces_[i]->id() : 0;
    }
    drawWithNames(names, cx, cy, cz);
}

void SkyBox::drawWithNames(const GLuint (&names)[kFaceCount], float cx, float cy, float cz) const {
    const float x0 = cx - edgeX_ / 2.0f;
    const float y0 = cy - edgeY_ / 2.0f;
    const float z0 = cz - edgeZ_ / 2.0f;
    const float xs[2] = {x0, x0 + edgeX_};
    const float ys[2] = {y0, y0 + edgeY_};
    const float zs[2] = {z0, z0 + edgeZ_};
    for (int face = 0; face < kFaceCount; ++face) {
        glBindTexture(GL_TEXTURE_2D, names[face]);
        // Clamping to the edge texels keeps the neighbouring faces' borders out of the seams.
        // The default texture (untextured face) is left alone.
        if (names[face] != 0) {
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBegin(GL_QUADS);
        for (const FaceCorner& corner : kFaceCorners[face]) {
            glTexCoord2f(corner.s, corner.t);
            glVertex3f(xs[corner.x], ys[corner.y], zs[corner.z]);
        }
        glEnd();
    }
}
