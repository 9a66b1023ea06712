// Model: a triangle model as one interleaved vertex array, standing on y = 0, with its skin.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "render/Vector3.h"

class ObjFile;
class Texture;

// Exactly the 32-byte layout handed to glVertexPointer / glTexCoordPointer / glNormalPointer.
struct ModelVertex {
    Vector3 position;
    float u = 0.0f;
    float v = 0.0f;
    Vector3 normal;
};
static_assert(sizeof(ModelVertex) == 32, "ModelVertex is the 32-byte OpenGL stride");
static_assert(offsetof(ModelVertex, u) == 12 && offsetof(ModelVertex, normal) == 20,
              "ModelVertex field offsets are part of the drawing code's contract");

// A box around a model: centre and half extents, stored height, width, depth.
struct BoundingBox {
    Vector3 center;
    float halfHeight = 0.0f;
    float halfWidth = 0.0f;
    float halfDepth = 0.0f;
};

class Model {
public:
    Model();
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Replaces the geometry with the triangles of an OBJ file (see ObjFile), recentred so the
    // model stands on y = 0 centred on the Y axis. A file that cannot be read leaves no
    // vertices. The skin texture is not touched.
    void load(const char* path);

    // The same from an OBJ file already read (one triangle per face, in face order).
    void build(const ObjFile& file);

    // Replaces the geometry with the given triangles (three vertices each), recentred the same
    // way; for generated meshes and tests.
    void setVertices(const std::vector<ModelVertex>& vertices);

    // Takes ownership of the skin (deleting the previous one).
    void setTexture(std::unique_ptr<Texture> texture);

    const ModelVertex* vertices() const { return vertices_.get(); }
    unsigned vertexCount() const { return vertexCount_; }

    // The same triangles for drawing: each distinct vertex once (in order of first use) and
    // three indices into them per triangle. Corners shared by neighbouring faces are then
    // transformed once instead of once per face, which is most of a model's cost on a
    // software vertex stage.
    const ModelVertex* sharedVertices() const { return shared_.empty() ? nullptr : shared_.data(); }
    unsigned sharedVertexCount() const { return static_cast<unsigned>(shared_.size()); }
    const unsigned* indices() const { return indices_.empty() ? nullptr : indices_.data(); }
    unsigned indexCount() const { return static_cast<unsigned>(indices_.size()); }
    Texture* texture() const { return texture_.get(); }
    float radius() const { return radius_; }
    const BoundingBox& boundingBox() const { return box_; }

private:
    void recentre();
    // Fills shared_ and indices_ from vertices_; vertices equal byte for byte are merged, so
    // OpenGL receives exactly the values it would have read from vertices_.
    void shareVertices();

    BoundingBox box_;
    std::unique_ptr<Texture> texture_;
    float radius_ = 0.0f;
    std::unique_ptr<ModelVertex[]> vertices_;
    unsigned vertexCount_ = 0;
    std::vector<ModelVertex> shared_;
    std::vector<unsigned> indices_;
};
