// KeyCodes: the GLUT character codes the screens give a meaning to.
#pragma once

// GLUT reports Escape as this character; it leaves the game and every menu screen.
constexpr int kEscapeKey = 27;
