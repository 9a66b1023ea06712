// InterfacePictures: the parts of the interface art, each painted and written by its own file.
#pragma once

#include <string>

#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/TextRaster.h"

namespace assetgen {

// firstMenu.bmp (intro), lastMenu.bmp (goodbye) and fond_menu.bmp (menu background) into dir.
bool writeMenuPictures(const std::string& dir, TextRaster& bold);
// The buttons, arrows and check box of ihm/ (keyed black) into dir.
bool writeWidgets(const std::string& dir, TextRaster& bold);
// mouse.bmp: the menu pointer, its tip at the top-left pixel.
bool writeCursor(const std::string& path);
// Font.bmp: the 16 x 16 glyph grid of the bitmap font.
bool writeFontSheet(const std::string& path, TextRaster& mono);

// Writes the canvas, nudging any pixel that would land exactly on avoid (a colour key the
// game loads this picture with) by one unit so the key never matches by accident.
bool writeAvoidingKey(const Canvas& canvas, const std::string& path, int avoidR, int avoidG,
                      int avoidB);

}  // namespace assetgen
