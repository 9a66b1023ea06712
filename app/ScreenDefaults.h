// ScreenDefaults: the shared operations screens place in their slots when they need no more.
#pragma once

// The idle step of the simpler screens: keeps the music going, then asks for a new frame.
void idleRedisplay();

void ignoreMotion(int x, int y);
void ignoreKey(int key, int x, int y);
void ignoreSpecial(int key, int x, int y);

// The view every screen of a width x height window shares: the viewport on the picture's
// rectangle (PictureFrame), 90 degrees, aspect of the picture in whole numbers (so 1), near 1,
// far 10000.
void reshapePerspective(int width, int height);

// The aspect reshapePerspective uses; a height of 0 counts as 1 and the aspect is never below 1.
double perspectiveAspect(int width, int height);
