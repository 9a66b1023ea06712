// WindowIdentity: tells the window manager which program the game window belongs to.
#pragma once

#include <cstdint>
#include <vector>

#include "render/AssetNames.h"

struct BmpImage;

namespace windowidentity {

// The window icon, a 24-bit picture whose pure black pixels are transparent.
constexpr const char* kIconPath = assetnames::kWindowIcon;

// Sets WM_CLASS to "zorblat" (name and class), which desktops match with the desktop entry's
// StartupWMClass, and _NET_WM_ICON from the icon file, on the current GLUT window, so task
// bars group it and show its icon. Call with the game window current; without an X window or
// an icon file it does what it can and stays quiet.
void announce();

// The _NET_WM_ICON value for a decoded icon: width, height, then one 0xAARRGGBB value per pixel
// from the top row down (the BMP holds its bottom row first). Xlib takes 32-bit properties as
// longs, whatever their size.
std::vector<unsigned long> iconProperty(const BmpImage& icon);

}  // namespace windowidentity
