// MenuButton: hit test and drawing of a textured menu rectangle.
#include "menus/MenuButton.h"

#include <GL/gl.h>

#include <string>

#include "render/AssetNames.h"
#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TextureSets.h"

MenuButton::MenuButton() = default;
MenuButton::~MenuButton() = default;

std::unique_ptr<MenuButton> MenuButton::create(int left, int top, int width, int height,
                                               const char* normalPicture,
                                               const char* hoverPicture) {
    auto button = std::make_unique<MenuButton>();
    const std::string dir = assetnames::kWidgetFolder;
    auto normal = std::make_unique<Texture>();
    texturesets::loadKeyedBlack(*normal, (dir + normalPicture).c_str(), true);
    auto hover = std::make_unique<Texture>();
    texturesets::loadKeyedBlack(*hover, (dir + hoverPicture).c_str(), true);
    button->setNormalTexture(normal.release());
    button->setHoverTexture(hover.release());
    button->setWidth(width);
    button->setHeight(height);
    button->setPosition(left, top);
    return button;
}

void MenuButton::setNormalTexture(Texture* texture) { normal_.reset(texture); }
void MenuButton::setHoverTexture(Texture* texture) { hover_.reset(texture); }

bool MenuButton::contains(int x, int y) const {
    // 64-bit sums: a hand-placed button near INT_MAX must not wrap into a hit.
    const long long right = static_cast<long long>(left_) + width_;
    const long long bottom = static_cast<long long>(top_) + height_;
    return left_ < x && x < right && top_ < y && y < bottom;
}

void MenuButton::draw(int mouseX, int mouseY) const {
    glDisable(GL_DEPTH_TEST);
    screenspace::enter(PictureFrame::kWidth, PictureFrame::kHeight, true);

    glEnable(GL_TEXTURE_2D);
    const Texture* picture = contains(mouseX, mouseY) ? hover_.get() : normal_.get();
    glBindTexture(GL_TEXTURE_2D, picture ? picture->id() : 0);
    const float l = static_cast<float>(left_);
    const float t = static_cast<float>(top_);
    const float r = l + static_cast<float>(width_);
    const float b = t + static_cast<float>(height_);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(l, t);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(r, t);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(r, b);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(l, b);
    glEnd();

    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
}
