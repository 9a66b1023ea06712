// HudArt: the pictures drawn over the view: crosshair, muzzle flash, radar, its dots and sweep.
#pragma once

#include <string>

namespace assetgen {

// Writes crosshair.bmp, fire.bmp and HUD/radar.bmp, HUD/point.bmp, HUD/balayeur.bmp under the
// textures folder (with its trailing slash). Returns false if a file could not be written.
bool writeHudArt(const std::string& textures);

}  // namespace assetgen
