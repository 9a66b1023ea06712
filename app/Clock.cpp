// Clock: GLUT elapsed time, or a test's replacement.
#include "app/Clock.h"

#include <GL/freeglut.h>

#include <utility>

namespace gameclock {
namespace {

std::function<int()>& source() {
    static std::function<int()> installed;
    return installed;
}

}  // namespace

int elapsedMs() {
    const std::function<int()>& s = source();
    return s ? s() : glutGet(GLUT_ELAPSED_TIME);
}

void setSource(std::function<int()> replacement) { source() = std::move(replacement); }

void setFixed(int ms) {
    setSource([ms] { return ms; });
}

}  // namespace gameclock
