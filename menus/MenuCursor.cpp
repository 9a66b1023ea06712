// MenuCursor: the menus' own mouse pointer, a keyed 32 x 32 sprite.
#include "menus/MenuCursor.h"

#include <GL/gl.h>

#include "menus/MenuFrame.h"
#include "render/AssetNames.h"
#include "render/Texture.h"
#include "render/TextureSets.h"

MenuCursor& MenuCursor::instance() {
    static MenuCursor cursor;
    return cursor;
}

MenuCursor::MenuCursor() : texture_(std::make_unique<Texture>()) {
    texturesets::loadKeyedBlack(*texture_, assetnames::kCursor, false);
}

MenuCursor::~MenuCursor() = default;

void MenuCursor::draw(const Vector3& p) const {
    menuframe::beginSpriteSpace();

    // The key texels fail the test; every other texel carries alpha 1/255, so the inverted
    // blend leaves it at its own colour.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture_->id());
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(p.x(), p.y());
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(p.x(), p.y() - 32.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(p.x() + 32.0f, p.y() - 32.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(p.x() + 32.0f, p.y());
    glEnd();

    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    menuframe::endSpriteSpace();
}
