// MenuButton: a textured rectangle of a menu (push button, arrow or check box) with a hover
// picture.
#pragma once

#include <cstdint>
#include <memory>

class Texture;

class MenuButton {
public:
    MenuButton();
    ~MenuButton();
    MenuButton(const MenuButton&) = delete;
    MenuButton& operator=(const MenuButton&) = delete;

    // Builds a button at (left, top) in widget space (1024 x 768, y down), loading both
    // pictures from ./ressources/textures/ihm/ with the keyed-black set (mipmaps).
    static std::unique_ptr<MenuButton> create(int left, int top, int width, int height,
                                              const char* normalPicture, const char* hoverPicture);

    // Take ownership.
    void setNormalTexture(Texture* texture);
    void setHoverTexture(Texture* texture);
    void setWidth(int width) { width_ = width; }
    void setHeight(int height) { height_ = height; }
    void setPosition(int x, int y) {
        left_ = x;
        top_ = y;
    }

    // Strictly inside: a point on an edge is outside.
    bool contains(int x, int y) const;
    // The hover picture when (mouseX, mouseY) is inside, else the normal one; in widget space.
    // Texturing stays on; colour, blending and alpha test are the caller's.
    void draw(int mouseX, int mouseY) const;

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t top_ = 0;
    int32_t left_ = 0;
    std::unique_ptr<Texture> hover_;
    std::unique_ptr<Texture> normal_;
};
