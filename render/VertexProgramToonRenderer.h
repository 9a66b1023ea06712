// VertexProgramToonRenderer: toon drawing with the ramp coordinate computed by a vertex program.
#pragma once

#include <GL/gl.h>

#include "render/ToonRenderer.h"

// Needs GL_ARB_vertex_program and GL_ARB_multitexture; without them it draws nothing.
class VertexProgramToonRenderer : public ToonRenderer {
public:
    // Looks the vertex program extension up again and compiles the toon program (the outcome
    // is reported on the standard error stream).
    VertexProgramToonRenderer();

    // Leaves the current colour black.
    void draw(const Model* model, Vector3 light) override;
    void drawFlat(const Model* model, Vector3 light, bool outline) override;
    // Deletes the program.
    ~VertexProgramToonRenderer() override;

    GLuint program() const { return program_; }

private:
    // Enables vertex programs, binds ours and hands it the light.
    void bindProgram(const Vector3& light) const;

    GLuint program_ = 0;
};
