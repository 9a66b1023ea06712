// ObjFile: reads positions, normals, texture coordinates and triangles from an OBJ file.
#include "render/ObjFile.h"

#include <climits>
#include <cmath>

namespace {

// A number that does not parse stays 0; an infinite or NaN one is treated the same way, so the
// lists never hold a non-finite value. (Huge finite ones can still overflow once the model is
// recentred; the game's own files stay within a thousand units.)
float finiteOrZero(float value) { return std::isfinite(value) ? value : 0.0f; }

// File indices are 1-based; a corner the line did not give was left at 0 and so becomes -1.
int toZeroBased(int index) { return index == INT_MIN ? INT_MIN : index - 1; }

}  // namespace

ObjFile::ObjFile(const char* path) : path_(path ? path : "") {}

ObjFile::~ObjFile() = default;

int ObjFile::read() {
    FILE* file = std::fopen(path_.c_str(), "r");
    if (file == nullptr) {
        return kCannotOpen;
    }
    const int result = readStream(file);
    std::fclose(file);
    return result;
}

int ObjFile::readFromMemory(const char* data, size_t size) {
    // The same stdio reader runs over the bytes, so memory and file give identical lists.
    // An empty buffer is an empty file (fmemopen refuses a zero size).
    if (data == nullptr || size == 0) {
        return readStream(nullptr);
    }
    FILE* file = fmemopen(const_cast<char*>(data), size, "r");
    if (file == nullptr) {
        return kCannotOpen;
    }
    const int result = readStream(file);
    std::fclose(file);
    return result;
}

int ObjFile::readStream(FILE* file) {
    positions.clear();
    normals.clear();
    texCoords.clear();
    faces.clear();
    hasTexCoords = false;
    hasNormals = false;
    if (file == nullptr) {
        return kRead;
    }

    // Character-driven: look at the first character of a line, read what it announces, then
    // drop up to 99 more characters of the line. A longer line therefore goes on as if its tail
    // were a line of its own, which the game's files never rely on.
    do {
        int c = std::fgetc(file);
        if (c == '\n') {
            c = std::fgetc(file);
        }
        if (c == EOF) {
            break;
        }
        if (c == 'f') {
            readFace(file);
        } else if (c == 'v') {
            readVertexLine(file);
        }
        char rest[100];
        if (std::fgets(rest, sizeof rest, file) == nullptr) {
            break;
        }
    } while (!std::feof(file));
    return kRead;
}

void ObjFile::readVertexLine(FILE* file) {
    // "%c " takes the kind letter and every blank after it, newlines included.
    char kind = 0;
    if (std::fscanf(file, "%c ", &kind) != 1) {
        return;
    }
    float x = 0.0f, y = 0.0f, z = 0.0f;
    if (kind == ' ') {
        [[maybe_unused]] const int got = std::fscanf(file, "%f %f %f", &x, &y, &z);
        positions.emplace_back(finiteOrZero(x), finiteOrZero(y), finiteOrZero(z));
    } else if (kind == 'n') {
        [[maybe_unused]] const int got = std::fscanf(file, " %f %f %f", &x, &y, &z);
        normals.emplace_back(finiteOrZero(x), finiteOrZero(y), finiteOrZero(z));
        hasNormals = true;
    } else if (kind == 't') {
        [[maybe_unused]] const int got = std::fscanf(file, " %f %f", &x, &y);
        texCoords.emplace_back(finiteOrZero(x), finiteOrZero(y));
        hasTexCoords = true;
    }
}

void ObjFile::readFace(FILE* file) {
    // Only the first three corners are read: a polygon keeps its first triangle. The pattern
    // depends on which kinds of vertex line came before this face.
    int p[3] = {0, 0, 0};
    int t[3] = {0, 0, 0};
    int n[3] = {0, 0, 0};
    // Whatever does not match stays 0, that is "not given" once made 0-based.
    [[maybe_unused]] int got = 0;
    if (hasTexCoords && hasNormals) {
        got = std::fscanf(file, " %d/%d/%d %d/%d/%d %d/%d/%d", &p[0], &t[0], &n[0], &p[1], &t[1],
                          &n[1], &p[2], &t[2], &n[2]);
    } else if (hasTexCoords) {
        got = std::fscanf(file, " %d/%d %d/%d %d/%d", &p[0], &t[0], &p[1], &t[1], &p[2], &t[2]);
    } else if (hasNormals) {
        got = std::fscanf(file, " %d/%d %d/%d %d/%d", &p[0], &n[0], &p[1], &n[1], &p[2], &n[2]);
    } else {
        got = std::fscanf(file, " %d %d %d", &p[0], &p[1], &p[2]);
    }
    ObjFace face;
    for (int k = 0; k < 3; ++k) {
        face.position[k] = toZeroBased(p[k]);
        face.texCoord[k] = toZeroBased(t[k]);
        face.normal[k] = toZeroBased(n[k]);
    }
    faces.push_back(face);
}
