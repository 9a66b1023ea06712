// PlaceholderScreen: the screen start-up shows until the intro and menus exist.
#pragma once

#include "app/MenuScreen.h"

// Draws the night-sky colour of the game with a title bar, and quits (status 1, as the exit
// screen does) on Escape or a mouse click.
class PlaceholderScreen : public MenuScreen {
public:
    void display() override;
    void idle() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void motion(int x, int y) override;
    void keyboard(int key, int x, int y) override;
    void keyboardUp(int key, int x, int y) override;
    void special(int key, int x, int y) override;
    void specialUp(int key, int x, int y) override;
    void reshape(int width, int height) override;
};
