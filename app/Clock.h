// Clock: the game's one time source, GLUT's elapsed milliseconds, replaceable by tests.
#pragma once

#include <functional>

namespace gameclock {

// Milliseconds since GLUT started (or whatever a test installed).
int elapsedMs();

// Installs a replacement clock; an empty function restores GLUT's clock.
void setSource(std::function<int()> source);

// Convenience for tests: the clock reads the given value until set again.
void setFixed(int ms);

}  // namespace gameclock
