// MenuFrame: the fixed order in which every menu draws a frame.
#include "menus/MenuFrame.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "entities/CursorSparkles.h"
#include "menus/MainMenuScreen.h"
#include "menus/MenuButton.h"
#include "menus/MenuCursor.h"
#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TexturedQuad.h"
#include "render/Vector3.h"

namespace menuframe {

void beginFrame(const Texture& background) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 100.0, 100.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    drawBackground(background);
}

void beginSpriteSpace() {
    glDisable(GL_DEPTH_TEST);
    screenspace::enter(PictureFrame::kWidth, PictureFrame::kHeight);
}

void endSpriteSpace() {
    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
}

void drawBackground(const Texture& background) {
    beginSpriteSpace();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, background.id());
    texturedquad::draw(0.0f, 0.0f, PictureFrame::kWidth, PictureFrame::kHeight);
    endSpriteSpace();
}

void drawButtons(std::initializer_list<const MenuButton*> buttons, int mouseX, int mouseY) {
    // The keyed pictures hold alpha 0 on black and 1/255 elsewhere: the test drops the black,
    // the inverted blend keeps the rest at its own colour.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    for (const MenuButton* button : buttons) {
        button->draw(mouseX, mouseY);
    }
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

BitmapFont& beginTexts() {
    BitmapFont& font = MainMenuScreen::instance().font();
    // The font picture is opaque and the colour's alpha 1: the glyphs add onto the picture.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
    return font;
}

void endTexts() { glDisable(GL_BLEND); }

void endFrame(int mouseX, int mouseY) {
    const Vector3 p(static_cast<float>(mouseX), screenspace::spriteYFromWidgetY(mouseY), 0.0f);
    CursorSparkles::instance().updateAndDraw(p);
    MenuCursor::instance().draw(p);
    glFlush();
    glutSwapBuffers();
}

}  // namespace menuframe
