// ScreenDefaults: the idle step and the perspective Screen uses by default, shared with tests.
#pragma once

// The idle step of the simpler screens: keeps the music going, then asks for a new frame.
void idleRedisplay();

// The projection every 3D view of the game shares: 90 degrees, aspect width / height in whole
// numbers (1 for the 1024 x 768 window), near 1, far 10000.
void reshapePerspective(int width, int height);

// The aspect reshapePerspective uses; a height of 0 counts as 1 and the aspect is never below 1.
double perspectiveAspect(int width, int height);
