// Mesh: a triangle mesh under construction (positions, atlas coordinates, normals) and its OBJ.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/MeshMath.h"

namespace assetgen {

struct MeshVertex {
    Vec3 position;
    float u = 0.0f, v = 0.0f;
    Vec3 normal;
};

// Counter-clockwise triangles seen from outside, as indices into the vertex list.
struct MeshTriangle {
    int a = 0, b = 0, c = 0;
};

class Mesh {
public:
    int addVertex(const Vec3& position, float u, float v, const Vec3& normal = Vec3{});
    void addTriangle(int a, int b, int c);
    // Two triangles a-b-c and a-c-d.
    void addQuad(int a, int b, int c, int d);

    size_t vertexCount() const { return vertices_.size(); }
    size_t triangleCount() const { return triangles_.size(); }
    const std::vector<MeshVertex>& vertices() const { return vertices_; }
    const std::vector<MeshTriangle>& triangles() const { return triangles_; }

    // Signed volume enclosed by the triangles from firstTriangle on (positive when they face
    // outwards), and the flip that makes a part built in either winding face outwards: it
    // turns its triangles and the normals of its vertices (from firstVertex on) around.
    double signedVolume(size_t firstTriangle) const;
    void faceOutwards(size_t firstVertex, size_t firstTriangle);

    // Smooth shading over one part: every vertex from firstVertex on gets the area-weighted
    // average of the faces (from firstTriangle on) that touch its position, so seams where
    // vertices are doubled for the atlas stay invisible.
    void smoothNormals(size_t firstVertex, size_t firstTriangle);

    // Hard shading: every vertex from firstVertex on takes the normal of a triangle (from
    // firstTriangle on) it belongs to. Meant for flat faces whose vertices are their own.
    void flatNormals(size_t firstVertex, size_t firstTriangle);

    // Writes v, vt and vn lines (shared where equal) and then every face as "f p/t/n" x 3.
    bool writeObj(const std::string& path, const std::string& comment) const;

private:
    std::vector<MeshVertex> vertices_;
    std::vector<MeshTriangle> triangles_;
};

}  // namespace assetgen
