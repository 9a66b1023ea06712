// ObjFile: reads the subset of Wavefront OBJ the game's models use into four lists.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "render/Vector3.h"

// One triangle: position, texture-coordinate and normal indices of its three corners, 0-based;
// -1 where the face line gave none. Indices are kept as read: users must range-check them.
struct ObjFace {
    int position[3] = {-1, -1, -1};
    int texCoord[3] = {-1, -1, -1};
    int normal[3] = {-1, -1, -1};
};

class ObjFile {
public:
    explicit ObjFile(const char* path);
    ~ObjFile();
    ObjFile(const ObjFile&) = delete;
    ObjFile& operator=(const ObjFile&) = delete;

    // The reader looks at the first character of each line and passes over one line feed
    // there, so writers must keep to the game's layout: no two blank lines in a row (the line
    // after them is skipped), lines under 100 characters, and whole faces "p/t/n" once both
    // texture coordinates and normals have appeared.
    enum { kRead = 0, kCannotOpen = 100 };
    // 0 when the file was read (also when it is empty), 100 when it could not be opened.
    int read();

    // Reads the given bytes exactly as read() would read a file holding them; for tests and
    // fuzzing.
    int readFromMemory(const char* data, size_t size);

    std::vector<Vector3> positions;
    std::vector<Vector3> normals;
    std::vector<std::pair<float, float>> texCoords;
    std::vector<ObjFace> faces;
    bool hasTexCoords = false;
    bool hasNormals = false;

private:
    // Reads the whole stream into the lists (cleared first); a null stream reads as empty.
    int readStream(FILE* file);
    void readVertexLine(FILE* file);
    void readFace(FILE* file);

    std::string path_;
};
