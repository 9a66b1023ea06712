// ScreenDispatch: forwards each GLUT event, untouched, to the current screen.
#include "app/ScreenDispatch.h"

#include <GL/freeglut.h>

Screen* currentScreen = nullptr;

void switchScreen(Screen& from, Screen& to) {
    to.screenSlot = from.screenSlot;
    *from.screenSlot = &to;
}

namespace dispatch {

// The callbacks neither filter, reorder nor buffer: a screen sees exactly what GLUT reported,
// and an event that arrives after a switch goes to the new screen (a key pressed on one screen
// may be released on the next).
void display() { currentScreen->display(); }
void idle() { currentScreen->idle(); }
void mouse(int button, int state, int x, int y) { currentScreen->mouse(button, state, x, y); }
void motion(int x, int y) { currentScreen->motion(x, y); }
void passiveMotion(int x, int y) { currentScreen->passiveMotion(x, y); }
void keyboard(unsigned char key, int x, int y) { currentScreen->keyboard(key, x, y); }
void keyboardUp(unsigned char key, int x, int y) { currentScreen->keyboardUp(key, x, y); }
void special(int key, int x, int y) { currentScreen->special(key, x, y); }
void specialUp(int key, int x, int y) { currentScreen->specialUp(key, x, y); }
void reshape(int width, int height) { currentScreen->reshape(width, height); }

}  // namespace dispatch

void registerScreenCallbacks() {
    glutReshapeFunc(dispatch::reshape);
    glutDisplayFunc(dispatch::display);
    glutIdleFunc(dispatch::idle);
    glutMouseFunc(dispatch::mouse);
    glutMotionFunc(dispatch::motion);
    glutPassiveMotionFunc(dispatch::passiveMotion);
    glutKeyboardFunc(dispatch::keyboard);
    glutKeyboardUpFunc(dispatch::keyboardUp);
    glutSpecialFunc(dispatch::special);
    glutSpecialUpFunc(dispatch::specialUp);
}
