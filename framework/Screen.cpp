// Screen: construction of the shared screen fields.
#include "framework/Screen.h"

Screen::Screen() : warpX(400), warpY(300), screenSlot(nullptr) {}

Screen::~Screen() = default;
