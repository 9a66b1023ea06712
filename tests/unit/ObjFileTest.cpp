// ObjFile: the character-driven reading rules, hostile input, and memory versus file reading.
#include "render/ObjFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

void read(ObjFile& file, const std::string& text) {
    ASSERT_EQ(file.readFromMemory(text.data(), text.size()), ObjFile::kRead);
}

void expectFace(const ObjFace& face, const int (&p)[3], const int (&t)[3], const int (&n)[3]) {
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(face.position[k], p[k]) << "corner " << k;
        EXPECT_EQ(face.texCoord[k], t[k]) << "corner " << k;
        EXPECT_EQ(face.normal[k], n[k]) << "corner " << k;
    }
}

void expectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x(), x);
    EXPECT_FLOAT_EQ(v.y(), y);
    EXPECT_FLOAT_EQ(v.z(), z);
}

TEST(ObjFileTest, ReadsEveryListAndMakesIndicesZeroBased) {
    ObjFile file("");
    read(file,
         "# exported\n"
         "mtllib otter.mtl\n"
         "o Otter\n"
         "v 1.5 -2 3e1\n"
         "v  4 5 6\n"  // the blank after 'v' swallows any run of blanks
         "v 7 8 9\n"
         "vt 0.25 0.75\n"
         "vt 1 0\n"
         "vn 0 1 0\n"
         "vn 0 0 -1\n"
         "g body\n"
         "usemtl skin\n"
         "s 1\n"
         "f 1/2/1 2/1/2 3/2/1\n"
         "f 3/1/2 2/2/1 1/1/1\n");
    ASSERT_EQ(file.positions.size(), 3u);
    expectVector(file.positions[0], 1.5f, -2.0f, 30.0f);
    expectVector(file.positions[1], 4.0f, 5.0f, 6.0f);
    ASSERT_EQ(file.texCoords.size(), 2u);
    EXPECT_FLOAT_EQ(file.texCoords[0].first, 0.25f);
    EXPECT_FLOAT_EQ(file.texCoords[0].second, 0.75f);
    ASSERT_EQ(file.normals.size(), 2u);
    expectVector(file.normals[1], 0.0f, 0.0f, -1.0f);
    EXPECT_TRUE(file.hasTexCoords);
    EXPECT_TRUE(file.hasNormals);
    ASSERT_EQ(file.faces.size(), 2u);
    expectFace(file.faces[0], {0, 1, 2}, {1, 0, 1}, {0, 1, 0});
    expectFace(file.faces[1], {2, 1, 0}, {0, 1, 0}, {1, 0, 0});
}

TEST(ObjFileTest, FacePatternDependsOnTheLinesReadBeforeIt) {
    {
        // Faces before any texture coordinate use the plain pattern, even though the file
        // defines texture coordinates later; the later face uses the slashed one.
        ObjFile file("");
        read(file, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nvt 0 0\nvt 1 1\nf 3/2 2/1 1/2\n");
        EXPECT_FALSE(file.hasNormals);
        ASSERT_EQ(file.faces.size(), 2u);
        expectFace(file.faces[0], {0, 1, 2}, {-1, -1, -1}, {-1, -1, -1});
        expectFace(file.faces[1], {2, 1, 0}, {1, 0, 1}, {-1, -1, -1});
    }
    {
        // Normals without texture coordinates: position and normal with one slash.
        ObjFile file("");
        read(file, "vn 0 1 0\nf 1/1 2/1 3/1\n");
        ASSERT_EQ(file.faces.size(), 1u);
        expectFace(file.faces[0], {0, 1, 2}, {-1, -1, -1}, {0, 0, 0});
    }
    {
        // The usual "p//n" form does not fit that pattern: only the first position is taken.
        ObjFile file("");
        read(file, "vn 0 1 0\nf 1//1 2//1 3//1\nv 1 2 3\n");
        ASSERT_EQ(file.faces.size(), 1u);
        expectFace(file.faces[0], {0, -1, -1}, {-1, -1, -1}, {-1, -1, -1});
        EXPECT_EQ(file.positions.size(), 1u) << "the line after the face is still read";
    }
}

TEST(ObjFileTest, LineEndingsBlankLinesAndLongLines) {
    {
        ObjFile file("");
        read(file, "v 1 2 3\r\n\r\nv 4 5 6\n\nf 1 2 1\r\nv 7 8 9");  // no final newline
        ASSERT_EQ(file.positions.size(), 3u);
        expectVector(file.positions[2], 7.0f, 8.0f, 9.0f);
        EXPECT_EQ(file.faces.size(), 1u);
    }
    {
        // Only one line feed is passed over at the start of a line: after two blank lines
        // in a row the next line is taken as the rest of a blank one.
        ObjFile file("");
        read(file, "v 1 1 1\n\n\nv 2 2 2\nv 3 3 3\n\n\n\nv 4 4 4\n");
        ASSERT_EQ(file.positions.size(), 3u);
        expectVector(file.positions[1], 3.0f, 3.0f, 3.0f);
        expectVector(file.positions[2], 4.0f, 4.0f, 4.0f);
    }
    {
        // One character and a 99-character line read make up a line of 100: exactly that
        // much plus its line feed is skipped whole.
        ObjFile file("");
        read(file, "#" + std::string(99, 'x') + "\nv 1 2 3\n");
        EXPECT_EQ(file.positions.size(), 1u);
    }
    {
        // Past 100 characters the tail of a line is read as a line of its own.
        ObjFile file("");
        read(file, "#" + std::string(99, 'x') + "v 7 8 9\nv 1 2 3\n");
        ASSERT_EQ(file.positions.size(), 2u);
        expectVector(file.positions[0], 7.0f, 8.0f, 9.0f);
    }
}

TEST(ObjFileTest, NumbersThatDoNotParseLeaveZerosAndTheFileGoesOn) {
    ObjFile file("");
    read(file,
         "v 1 abc 3\n"
         "v nan inf 2\n"
         "v 1e999 -1e999 5\n"
         "vn x\n"
         "v 4 5 6\n"
         "vt 0.5\n"
         // The short line above made the scan skip its line feed and stop on this line,
         // which is then dropped as the rest of the texture-coordinate line.
         "v 7 7 7\n");
    ASSERT_EQ(file.positions.size(), 4u);
    expectVector(file.positions[0], 1.0f, 0.0f, 0.0f);
    expectVector(file.positions[1], 0.0f, 0.0f, 2.0f);
    expectVector(file.positions[2], 0.0f, 0.0f, 5.0f);
    expectVector(file.positions[3], 4.0f, 5.0f, 6.0f);
    ASSERT_EQ(file.texCoords.size(), 1u);
    EXPECT_FLOAT_EQ(file.texCoords[0].first, 0.5f);
    EXPECT_FLOAT_EQ(file.texCoords[0].second, 0.0f);
    ASSERT_EQ(file.normals.size(), 1u);
    expectVector(file.normals[0], 0.0f, 0.0f, 0.0f);
}

TEST(ObjFileTest, HostileFaceIndicesAreKeptAsReadWithoutOverflow) {
    ObjFile file("");
    read(file,
         "f 0 -1 -5\n"
         "f 1 x 3\n"
         "f 2147483647 -2147483648 99999999999999\n"
         "f 5 6 7 8 9\n"  // a polygon keeps only its first triangle
         "f\n");
    ASSERT_EQ(file.faces.size(), 5u);
    expectFace(file.faces[0], {-1, -2, -6}, {-1, -1, -1}, {-1, -1, -1});
    expectFace(file.faces[1], {0, -1, -1}, {-1, -1, -1}, {-1, -1, -1});
    EXPECT_EQ(file.faces[2].position[0], INT_MAX - 1);
    EXPECT_EQ(file.faces[2].position[1], INT_MIN);
    expectFace(file.faces[3], {4, 5, 6}, {-1, -1, -1}, {-1, -1, -1});
    expectFace(file.faces[4], {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1});
}

TEST(ObjFileTest, TruncatedLinesAtTheEndOfTheFile) {
    for (const char* text : {"v", "v ", "vt", "vn 1", "f", "f 1/", "v 1 2", "\n", "\r"}) {
        ObjFile file("");
        read(file, text);
        EXPECT_LE(file.positions.size(), 1u) << text;
        EXPECT_LE(file.faces.size(), 1u) << text;
    }
}

// Writes bytes to a scratch file and reads it back both ways.
void expectSameAsFile(const std::string& bytes) {
    const std::string path = testing::TempDir() + "objfile_same_bytes.obj";
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);

    ObjFile fromFile(path.c_str());
    ASSERT_EQ(fromFile.read(), ObjFile::kRead);
    ObjFile fromMemory("");
    ASSERT_EQ(fromMemory.readFromMemory(bytes.data(), bytes.size()), ObjFile::kRead);
    std::remove(path.c_str());

    ASSERT_EQ(fromFile.positions.size(), fromMemory.positions.size());
    for (size_t i = 0; i < fromFile.positions.size(); ++i) {
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(fromFile.positions[i][a], fromMemory.positions[i][a]);
        }
    }
    EXPECT_EQ(fromFile.normals.size(), fromMemory.normals.size());
    EXPECT_EQ(fromFile.texCoords, fromMemory.texCoords);
    ASSERT_EQ(fromFile.faces.size(), fromMemory.faces.size());
    for (size_t i = 0; i < fromFile.faces.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(fromFile.faces[i].position[k], fromMemory.faces[i].position[k]);
            EXPECT_EQ(fromFile.faces[i].texCoord[k], fromMemory.faces[i].texCoord[k]);
            EXPECT_EQ(fromFile.faces[i].normal[k], fromMemory.faces[i].normal[k]);
        }
    }
    EXPECT_EQ(fromFile.hasNormals, fromMemory.hasNormals);
    EXPECT_EQ(fromFile.hasTexCoords, fromMemory.hasTexCoords);
}

TEST(ObjFileTest, MemoryReadMatchesFileReadOfTheSameBytes) {
    expectSameAsFile("");
    expectSameAsFile("v 1 2 3\nvt 0 1\nvn 0 0 1\nf 1/1/1 1/1/1 1/1/1\n");
    const char withNuls[] = "v 1 2\0 3\nv\0 4 5 6\nf 1 2\0 2\n";
    expectSameAsFile(std::string(withNuls, sizeof withNuls - 1));
    expectSameAsFile("v 1 2 3\r\nf 1 1 1 1\r\n#" + std::string(250, 'v') + "\nv 9 9 9");

    ObjFile missing("no/such/folder/model.obj");
    EXPECT_EQ(missing.read(), ObjFile::kCannotOpen);
    EXPECT_TRUE(missing.positions.empty());
}

}  // namespace
