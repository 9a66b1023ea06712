// ScreenDispatch: the current-screen slot, the ten GLUT callbacks and screen switching.
#pragma once

#include "app/Screen.h"

// The screen every GLUT event goes to; never null once start-up has run.
extern Screen* currentScreen;

// Registers the ten callbacks with GLUT, in the order the game has always used.
void registerScreenCallbacks();

// Hands control from one screen to another: the target takes over the source's slot and is
// stored in it. Takes effect for the next event; nothing of the target is called now.
void switchScreen(Screen& from, Screen& to);

// The GLUT callbacks themselves; each forwards its arguments unchanged to currentScreen.
namespace dispatch {
void display();
void idle();
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void passiveMotion(int x, int y);
void keyboard(unsigned char key, int x, int y);
void keyboardUp(unsigned char key, int x, int y);
void special(int key, int x, int y);
void specialUp(int key, int x, int y);
void reshape(int width, int height);
}  // namespace dispatch
