// GlErrorReport: names the GL errors an event left behind, with the screen and frame, on stderr.
#include "framework/GlErrorReport.h"

#include <GL/gl.h>
#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

#include "framework/Screen.h"

namespace {

const char* errorName(GLenum error) {
    switch (error) {
        case GL_INVALID_ENUM:
            return "GL_INVALID_ENUM";
        case GL_INVALID_VALUE:
            return "GL_INVALID_VALUE";
        case GL_INVALID_OPERATION:
            return "GL_INVALID_OPERATION";
        case GL_STACK_OVERFLOW:
            return "GL_STACK_OVERFLOW";
        case GL_STACK_UNDERFLOW:
            return "GL_STACK_UNDERFLOW";
        case GL_OUT_OF_MEMORY:
            return "GL_OUT_OF_MEMORY";
        default:
            return "unknown";
    }
}

}  // namespace

namespace glerrors {

int report(const char* event, const Screen* screen, long frame, std::FILE* out) {
    int count = 0;
    // A lost context answers the same error for ever; a frame cannot raise more than this.
    for (GLenum error = glGetError(); error != GL_NO_ERROR && count < 32; error = glGetError()) {
        const char* mangled = screen ? typeid(*screen).name() : "no screen";
        int status = -1;
        char* plain = screen ? abi::__cxa_demangle(mangled, nullptr, nullptr, &status) : nullptr;
        std::fprintf(out, "GL error 0x%04x %s after %s on %s, frame %ld\n", error, errorName(error),
                     event, status == 0 ? plain : mangled, frame);
        std::free(plain);
        ++count;
    }
    return count;
}

}  // namespace glerrors
