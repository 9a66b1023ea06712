// MenuCursor: the mouse pointer sprite every menu draws (the system pointer stays hidden).
#pragma once

#include <memory>

#include "render/Vector3.h"

class Texture;

class MenuCursor {
public:
    // The one cursor all screens share, built on first use (needs the GL context).
    static MenuCursor& instance();

    MenuCursor();
    ~MenuCursor();

    // A 32 x 32 sprite whose top-left corner is p (sprite space, y up; z ignored).
    void draw(const Vector3& p) const;

private:
    std::unique_ptr<Texture> texture_;
};
