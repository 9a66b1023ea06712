// GlErrorReport: names the GL errors an event left behind, with the screen and frame, on stderr.
#pragma once

#include <cstdio>

class Screen;

namespace glerrors {

// Drains glGetError after an event handled by `screen` (`event` names the callback, `frame`
// counts the displayed frames) and writes one line per error to `out`:
//   GL error 0x0502 GL_INVALID_OPERATION after display on GameScreen, frame 812
// Returns how many errors there were. The sanitizer build calls it after every GLUT event
// (ZORBLAT_GL_CHECKS); a release build never pays for the round trips.
int report(const char* event, const Screen* screen, long frame, std::FILE* out = stderr);

}  // namespace glerrors
