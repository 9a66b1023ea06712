// PlaceholderScreen: a plain night-blue frame with a band across it; Escape or a click quits.
#include "app/PlaceholderScreen.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "app/Clock.h"
#include "app/ScreenDefaults.h"
#include "app/Startup.h"

void PlaceholderScreen::display() {
    glClearColor(0.05f, 0.08f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 1024, 0, 768, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1.0f, 0.8f, 0.1f);
    glRecti(0, 352, 1024, 416);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glutSwapBuffers();
}

void PlaceholderScreen::idle() {
    idleRedisplay();
    // The first idle step builds the sound manager; after it the screen answers the player.
    gameclock::startupReady();
}

void PlaceholderScreen::mouse(int, int state, int, int) {
    if (state == GLUT_DOWN) {
        startup::closeGameWindow();
        std::exit(1);
    }
}

void PlaceholderScreen::passiveMotion(int, int) {}
void PlaceholderScreen::motion(int x, int y) { ignoreMotion(x, y); }

void PlaceholderScreen::keyboard(int key, int, int) {
    if (key == 27) {
        startup::closeGameWindow();
        std::exit(1);
    }
}

void PlaceholderScreen::keyboardUp(int key, int x, int y) { ignoreKey(key, x, y); }
void PlaceholderScreen::special(int key, int x, int y) { ignoreSpecial(key, x, y); }
void PlaceholderScreen::specialUp(int key, int x, int y) { ignoreSpecial(key, x, y); }
void PlaceholderScreen::reshape(int width, int height) { reshapePerspective(width, height); }
