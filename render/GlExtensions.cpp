// GlExtensions: extension lookup through GLUT and vertex program compilation.
#include "render/GlExtensions.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>
#include <type_traits>

bool multitextureSupported = false;
bool vertexProgramSupported = false;

namespace glext {

bool glutExtensionQuery(const char* extension) { return glutExtensionSupported(extension) != 0; }

bool listHas(const char* list, const char* name) {
    if (list == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* p = std::strstr(list, name); p != nullptr; p = std::strstr(p + 1, name)) {
        const bool startsWord = p == list || p[-1] == ' ';
        const bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

Proc glutProcLookup(const char* name) { return glutGetProcAddress(name); }

const char* const multitextureEntryPointNames[kMultitextureEntryPointCount] = {
    "glActiveTextureARB",    "glClientActiveTextureARB", "glMultiTexCoord1dARB",
    "glMultiTexCoord1dvARB", "glMultiTexCoord1fARB",     "glMultiTexCoord1fvARB",
    "glMultiTexCoord1iARB",  "glMultiTexCoord1ivARB",    "glMultiTexCoord1sARB",
    "glMultiTexCoord1svARB", "glMultiTexCoord2dARB",     "glMultiTexCoord2dvARB",
    "glMultiTexCoord2fARB",  "glMultiTexCoord2fvARB",    "glMultiTexCoord2iARB",
    "glMultiTexCoord2ivARB", "glMultiTexCoord2sARB",     "glMultiTexCoord2svARB",
    "glMultiTexCoord3dARB",  "glMultiTexCoord3dvARB",    "glMultiTexCoord3fARB",
    "glMultiTexCoord3fvARB", "glMultiTexCoord3iARB",     "glMultiTexCoord3ivARB",
    "glMultiTexCoord3sARB",  "glMultiTexCoord3svARB",    "glMultiTexCoord4dARB",
    "glMultiTexCoord4dvARB", "glMultiTexCoord4fARB",     "glMultiTexCoord4fvARB",
    "glMultiTexCoord4iARB",  "glMultiTexCoord4ivARB",    "glMultiTexCoord4sARB",
    "glMultiTexCoord4svARB",
};

const char* const vertexProgramEntryPointNames[kVertexProgramEntryPointCount] = {
    // Immediate-mode attributes: 1 to 4 components, then the normalised 4-component form.
    "glVertexAttrib1sARB",
    "glVertexAttrib1fARB",
    "glVertexAttrib1dARB",
    "glVertexAttrib2sARB",
    "glVertexAttrib2fARB",
    "glVertexAttrib2dARB",
    "glVertexAttrib3sARB",
    "glVertexAttrib3fARB",
    "glVertexAttrib3dARB",
    "glVertexAttrib4sARB",
    "glVertexAttrib4fARB",
    "glVertexAttrib4dARB",
    "glVertexAttrib4NubARB",
    // Their array forms, including the unsigned and normalised 4-component ones.
    "glVertexAttrib1svARB",
    "glVertexAttrib1fvARB",
    "glVertexAttrib1dvARB",
    "glVertexAttrib2svARB",
    "glVertexAttrib2fvARB",
    "glVertexAttrib2dvARB",
    "glVertexAttrib3svARB",
    "glVertexAttrib3fvARB",
    "glVertexAttrib3dvARB",
    "glVertexAttrib4bvARB",
    "glVertexAttrib4svARB",
    "glVertexAttrib4ivARB",
    "glVertexAttrib4ubvARB",
    "glVertexAttrib4usvARB",
    "glVertexAttrib4uivARB",
    "glVertexAttrib4fvARB",
    "glVertexAttrib4dvARB",
    "glVertexAttrib4NbvARB",
    "glVertexAttrib4NsvARB",
    "glVertexAttrib4NivARB",
    "glVertexAttrib4NubvARB",
    "glVertexAttrib4NusvARB",
    "glVertexAttrib4NuivARB",
    // Attribute arrays and program objects.
    "glVertexAttribPointerARB",
    "glEnableVertexAttribArrayARB",
    "glDisableVertexAttribArrayARB",
    "glProgramStringARB",
    "glBindProgramARB",
    "glDeleteProgramsARB",
    "glGenProgramsARB",
    // Parameters and their getters.
    "glProgramEnvParameter4dARB",
    "glProgramEnvParameter4dvARB",
    "glProgramEnvParameter4fARB",
    "glProgramEnvParameter4fvARB",
    "glProgramLocalParameter4dARB",
    "glProgramLocalParameter4dvARB",
    "glProgramLocalParameter4fARB",
    "glProgramLocalParameter4fvARB",
    "glGetProgramEnvParameterdvARB",
    "glGetProgramEnvParameterfvARB",
    "glGetProgramLocalParameterdvARB",
    "glGetProgramLocalParameterfvARB",
    "glGetProgramivARB",
    "glGetProgramStringARB",
    "glGetVertexAttribdvARB",
    "glGetVertexAttribfvARB",
    "glGetVertexAttribivARB",
    "glGetVertexAttribPointervARB",
    "glIsProgramARB",
};

Proc multitextureEntryPoints[kMultitextureEntryPointCount] = {};
Proc vertexProgramEntryPoints[kVertexProgramEntryPointCount] = {};

PFNGLACTIVETEXTUREARBPROC activeTexture = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC clientActiveTexture = nullptr;
PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2f = nullptr;
PFNGLGENPROGRAMSARBPROC genPrograms = nullptr;
PFNGLBINDPROGRAMARBPROC bindProgram = nullptr;
PFNGLPROGRAMSTRINGARBPROC programString = nullptr;
PFNGLPROGRAMENVPARAMETER4FARBPROC programEnvParameter4f = nullptr;
PFNGLDELETEPROGRAMSARBPROC deletePrograms = nullptr;

}  // namespace glext

namespace {

// Resolves every name into a scratch table first, so that a failure part way leaves the
// entry points of an earlier successful lookup intact.
bool resolveAll(glext::ProcLookup lookUp, const char* const* names, int count,
                glext::Proc* entryPoints) {
    glext::Proc found[glext::kVertexProgramEntryPointCount] = {};
    for (int i = 0; i < count; ++i) {
        found[i] = lookUp(names[i]);
        if (found[i] == nullptr) {
            return false;
        }
    }
    std::memcpy(entryPoints, found, sizeof(glext::Proc) * static_cast<size_t>(count));
    return true;
}

// Finds a resolved entry point by name and casts it to its real type.
template <typename Function>
Function entryPoint(const char* name, const char* const* names, const glext::Proc* entryPoints,
                    int count) {
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(names[i], name) == 0) {
            return reinterpret_cast<Function>(entryPoints[i]);
        }
    }
    return nullptr;
}

}  // namespace

bool loadMultitexture(glext::ProcLookup lookUp, glext::ExtensionQuery advertised) {
    using namespace glext;
    if (!advertised("GL_ARB_multitexture")) {
        return multitextureSupported;
    }
    if (!resolveAll(lookUp, multitextureEntryPointNames, kMultitextureEntryPointCount,
                    multitextureEntryPoints)) {
        return false;
    }
    const auto find = [](auto& pointer, const char* name) {
        pointer = entryPoint<std::remove_reference_t<decltype(pointer)>>(
            name, multitextureEntryPointNames, multitextureEntryPoints,
            kMultitextureEntryPointCount);
    };
    find(activeTexture, "glActiveTextureARB");
    find(clientActiveTexture, "glClientActiveTextureARB");
    find(multiTexCoord2f, "glMultiTexCoord2fARB");
    multitextureSupported = true;
    return multitextureSupported;
}

bool loadVertexProgram(glext::ProcLookup lookUp, glext::ExtensionQuery advertised) {
    using namespace glext;
    if (!advertised("GL_ARB_vertex_program")) {
        return vertexProgramSupported;
    }
    if (!resolveAll(lookUp, vertexProgramEntryPointNames, kVertexProgramEntryPointCount,
                    vertexProgramEntryPoints)) {
        return false;
    }
    const auto find = [](auto& pointer, const char* name) {
        pointer = entryPoint<std::remove_reference_t<decltype(pointer)>>(
            name, vertexProgramEntryPointNames, vertexProgramEntryPoints,
            kVertexProgramEntryPointCount);
    };
    find(genPrograms, "glGenProgramsARB");
    find(bindProgram, "glBindProgramARB");
    find(programString, "glProgramStringARB");
    find(programEnvParameter4f, "glProgramEnvParameter4fARB");
    find(deletePrograms, "glDeleteProgramsARB");
    vertexProgramSupported = true;
    return vertexProgramSupported;
}

void compileVertexProgram(GLuint& handle, const char* text) {
    if (!vertexProgramSupported) {
        return;
    }
    glEnable(GL_VERTEX_PROGRAM_ARB);
    glext::genPrograms(1, &handle);
    glext::bindProgram(GL_VERTEX_PROGRAM_ARB, handle);
    glext::programString(GL_VERTEX_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB,
                         static_cast<GLsizei>(std::strlen(text)), text);
    const GLenum error = glGetError();
    GLint position = -1;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &position);
    // The error position is checked too: an error left pending by earlier drawing would
    // otherwise hide the refusal and report a broken program as compiled.
    if (error == GL_INVALID_OPERATION || position != -1) {
        const GLubyte* message = glGetString(GL_PROGRAM_ERROR_STRING_ARB);
        std::fprintf(stderr, "une erreur est survenue a la position : %d\n%s\n", position,
                     message ? reinterpret_cast<const char*>(message) : "");
    } else {
        std::fprintf(stderr, "\n*** Pas d'erreur de compilation du ARB_vertex_program ***\n");
    }
    glDisable(GL_VERTEX_PROGRAM_ARB);
}

void deleteVertexProgram(GLuint handle) {
    if (vertexProgramSupported) {
        glext::deletePrograms(1, &handle);
    }
}
