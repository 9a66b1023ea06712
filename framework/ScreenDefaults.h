// ScreenDefaults: the idle step and the perspective Screen uses by default, shared with tests.
#pragma once

// The idle step of the simpler screens: keeps the music going, then asks for a new frame.
void idleRedisplay();

// The view every screen of a width x height window shares: the viewport on the picture's
// rectangle (PictureFrame), 90 degrees, aspect of the picture in whole numbers (so 1), near 1,
// far 10000.
void reshapePerspective(int width, int height);

// The aspect reshapePerspective uses; a height of 0 counts as 1 and the aspect is never below 1.
double perspectiveAspect(int width, int height);
