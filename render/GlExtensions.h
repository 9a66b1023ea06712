// GlExtensions: finds GL_ARB_multitexture and GL_ARB_vertex_program and holds their entry points.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

// Process-wide. Each becomes true only when its extension is advertised and every one of its
// entry points was found; the renderers fall back to plainer paths while it is false.
extern bool multitextureSupported;
extern bool vertexProgramSupported;

namespace glext {

using Proc = void (*)();
// Whether the driver advertises an extension, and the address of one entry point (null when
// unknown). Both are parameters so that a driver missing a single entry point can be simulated.
using ExtensionQuery = bool (*)(const char* extension);
using ProcLookup = Proc (*)(const char* name);

// glutExtensionSupported and glutGetProcAddress: the real driver (needs a current context).
bool glutExtensionQuery(const char* extension);
Proc glutProcLookup(const char* name);

// True when the space-separated extension list (GL or GLX) names exactly `name`; a null list
// names nothing.
bool listHas(const char* list, const char* name);

// Every entry point looked up, in lookup order. Only a few are called by the game; the others
// must exist for the extension to count as supported.
constexpr int kMultitextureEntryPointCount = 34;
constexpr int kVertexProgramEntryPointCount = 62;
extern const char* const multitextureEntryPointNames[kMultitextureEntryPointCount];
extern const char* const vertexProgramEntryPointNames[kVertexProgramEntryPointCount];
extern Proc multitextureEntryPoints[kMultitextureEntryPointCount];
extern Proc vertexProgramEntryPoints[kVertexProgramEntryPointCount];

// The entry points the game calls, valid only while the matching flag is true.
extern PFNGLACTIVETEXTUREARBPROC activeTexture;
extern PFNGLCLIENTACTIVETEXTUREARBPROC clientActiveTexture;
extern PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2f;
extern PFNGLGENPROGRAMSARBPROC genPrograms;
extern PFNGLBINDPROGRAMARBPROC bindProgram;
extern PFNGLPROGRAMSTRINGARBPROC programString;
extern PFNGLPROGRAMENVPARAMETER4FARBPROC programEnvParameter4f;
extern PFNGLDELETEPROGRAMSARBPROC deletePrograms;

}  // namespace glext

// Looks the extension up when it is advertised. The first entry point that cannot be resolved
// ends the call with false and leaves the flag and the entry points as they were; when all
// resolve the flag is set. Returns the flag otherwise.
bool loadMultitexture(glext::ProcLookup lookUp = glext::glutProcLookup,
                      glext::ExtensionQuery advertised = glext::glutExtensionQuery);
bool loadVertexProgram(glext::ProcLookup lookUp = glext::glutProcLookup,
                       glext::ExtensionQuery advertised = glext::glutExtensionQuery);

// Generates a program name into handle, binds it and loads text into it, reporting the outcome
// on the standard error stream. The handle stays valid (and bound) even when the text was
// refused. Does nothing at all without vertex program support.
void compileVertexProgram(GLuint& handle, const char* text);
// Deletes the program when vertex programs are supported.
void deleteVertexProgram(GLuint handle);
