// MenuFrame: the drawing steps every menu screen shares: background, widgets, texts, cursor.
#pragma once

#include <initializer_list>

class BitmapFont;
class MenuButton;
class Texture;

namespace menuframe {

// Clears, sets the menus' view and draws the picture stretched over the 1024 x 768 screen.
void beginFrame(const Texture& background);
// Only the picture, stretched over the screen (depth test off while drawing, on afterwards).
// Depth test off, a 1024 x 768 projection with y up (pushed), an identity modelview (pushed);
// endSpriteSpace pops both, leaves the modelview current and turns the depth test back on.
void beginSpriteSpace();
void endSpriteSpace();
void drawBackground(const Texture& background);
// The widgets with the keyed blend and alpha test, in the given order.
void drawButtons(std::initializer_list<const MenuButton*> buttons, int mouseX, int mouseY);
// The additive text blend; texts drawn until endTexts go through the returned font (the main
// menu's, which every menu writes with).
BitmapFont& beginTexts();
void endTexts();
// Sparkles and cursor at the mouse (widget space), then flush and swap.
void endFrame(int mouseX, int mouseY);

}  // namespace menuframe
