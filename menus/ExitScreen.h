// ExitScreen: the last picture; the next key or click ends the program.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"

class Texture;

class ExitScreen : public MenuScreen {
public:
    // The one instance, built on first use (needs the GL context).
    static ExitScreen& instance();

    ExitScreen();
    ~ExitScreen() override;

    void display() override;
    void idle() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboard(int key, int x, int y) override;
    const char* name() const override { return "exit"; }

    // The normal way out: settings saved while every screen still lives, game mode left,
    // status 1. Also what a SIGINT, SIGTERM or SIGHUP leads to.
    static void quit();
    // What quit does to leave the game window before the program ends; set by start-up.
    static void setCloseWindowAction(void (*action)());

    bool quitting() const { return quitting_; }

private:
    std::unique_ptr<Texture> picture_;
    int mouseX_ = 0;
    int mouseY_ = 0;
    bool quitting_ = false;
};
