// Screen: construction of the shared screen fields and the default handlers.
#include "framework/Screen.h"

#include "framework/ScreenDefaults.h"

Screen::Screen() : warpX(400), warpY(300), screenSlot(nullptr) {}

Screen::~Screen() = default;

void Screen::idle() { idleRedisplay(); }

void Screen::reshape(int width, int height) { reshapePerspective(width, height); }
