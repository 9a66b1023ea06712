// Model: builds the interleaved vertex array from an OBJ file and recentres it.
#include "render/Model.h"

#include <cmath>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "render/Clock.h"
#include "render/ObjFile.h"
#include "render/Texture.h"

Model::Model() = default;

Model::~Model() = default;

void Model::setTexture(std::unique_ptr<Texture> texture) { texture_ = std::move(texture); }

void Model::load(const char* path) {
    gameclock::TimedPart part("models");
    ObjFile file(path);
    file.read();
    build(file);
}

void Model::build(const ObjFile& file) {
    std::vector<ModelVertex> vertices(file.faces.size() * 3);
    // Face indices come from an untrusted file: a corner whose index is missing, negative or
    // past the end of its list gets zeros rather than reading outside the lists.
    const auto inRange = [](int index, size_t size) {
        return index >= 0 && static_cast<size_t>(index) < size;
    };
    for (size_t f = 0; f < file.faces.size(); ++f) {
        const ObjFace& face = file.faces[f];
        for (int k = 0; k < 3; ++k) {
            ModelVertex& vertex = vertices[3 * f + k];
            if (inRange(face.position[k], file.positions.size())) {
                vertex.position = file.positions[face.position[k]];
            }
            if (inRange(face.texCoord[k], file.texCoords.size())) {
                vertex.u = file.texCoords[face.texCoord[k]].first;
                vertex.v = file.texCoords[face.texCoord[k]].second;
            }
            if (inRange(face.normal[k], file.normals.size())) {
                vertex.normal = file.normals[face.normal[k]];
            }
        }
    }
    setVertices(vertices);
}

void Model::setVertices(const std::vector<ModelVertex>& vertices) {
    vertexCount_ = static_cast<unsigned>(vertices.size());
    vertices_.reset(vertexCount_ ? new ModelVertex[vertexCount_] : nullptr);
    for (unsigned i = 0; i < vertexCount_; ++i) {
        vertices_[i] = vertices[i];
    }
    recentre();
    shareVertices();
}

namespace {

// Byte-wise identity of vertices, for merging them.
struct VertexBytesHash {
    size_t operator()(const ModelVertex& v) const {
        unsigned char bytes[sizeof(ModelVertex)];
        std::memcpy(bytes, &v, sizeof bytes);
        size_t hash = 1469598103934665603ull;
        for (unsigned char b : bytes) {
            hash = (hash ^ b) * 1099511628211ull;
        }
        return hash;
    }
};
struct VertexBytesEqual {
    bool operator()(const ModelVertex& a, const ModelVertex& b) const {
        return std::memcmp(&a, &b, sizeof(ModelVertex)) == 0;
    }
};

}  // namespace

void Model::shareVertices() {
    shared_.clear();
    indices_.clear();
    indices_.reserve(vertexCount_);
    std::unordered_map<ModelVertex, unsigned, VertexBytesHash, VertexBytesEqual> index;
    index.reserve(vertexCount_);
    for (unsigned i = 0; i < vertexCount_; ++i) {
        const auto found = index.emplace(vertices_[i], static_cast<unsigned>(shared_.size()));
        if (found.second) {
            shared_.push_back(vertices_[i]);
        }
        indices_.push_back(found.first->second);
    }
}

void Model::recentre() {
    if (vertexCount_ == 0) {
        radius_ = 0.0f;
        box_ = BoundingBox();
        return;
    }
    // Extremes by strict comparison: on ties the first vertex to reach an extreme stays.
    unsigned minX = 0, maxX = 0, minY = 0, maxY = 0, minZ = 0, maxZ = 0;
    for (unsigned i = 0; i < vertexCount_; ++i) {
        const Vector3& p = vertices_[i].position;
        if (p.x() < vertices_[minX].position.x())
            minX = i;
        if (p.x() > vertices_[maxX].position.x())
            maxX = i;
        if (p.y() < vertices_[minY].position.y())
            minY = i;
        if (p.y() > vertices_[maxY].position.y())
            maxY = i;
        if (p.z() < vertices_[minZ].position.z())
            minZ = i;
        if (p.z() > vertices_[maxZ].position.z())
            maxZ = i;
    }
    const Vector3 offset(-(vertices_[minX].position.x() + vertices_[maxX].position.x()) / 2.0f,
                         -vertices_[minY].position.y(),
                         -(vertices_[minZ].position.z() + vertices_[maxZ].position.z()) / 2.0f);
    for (unsigned i = 0; i < vertexCount_; ++i) {
        vertices_[i].position += offset;
    }
    radius_ = std::fabs(vertices_[minX].position.x());
    radius_ = std::fmax(radius_, std::fabs(vertices_[maxX].position.x()));
    radius_ = std::fmax(radius_, std::fabs(vertices_[minZ].position.z()));
    radius_ = std::fmax(radius_, std::fabs(vertices_[maxZ].position.z()));

    const float height = vertices_[maxY].position.y();
    box_.center = Vector3(0.0f, height / 2.0f, 0.0f);
    box_.halfHeight = height / 2.0f;
    box_.halfWidth = radius_;
    box_.halfDepth = radius_;
}
