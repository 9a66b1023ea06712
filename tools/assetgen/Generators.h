// Generators: the parts of the ressources/ tree, one generator per family of files.
#pragma once

#include <string>

// Each writes its files under root (folders already exist) and returns false after printing
// what went wrong. All of them are deterministic: same bytes on every run.
namespace assetgen {

// textures/: sol, lightmap2, toon, toon_glow, particle, blood, fire, crosshair; skybox/*; HUD/*.
bool generateWorldTextures(const std::string& root);
// textures/: firstMenu, lastMenu, fond_menu, Font, mouse; ihm/* (buttons, arrows, check box).
bool generateInterfaceTextures(const std::string& root);
// models/*.obj with their skins textures/loutre, immeuble, arme, VRK.
bool generateModels(const std::string& root);
// sons/: detonation.ogg, boom.ogg, clic.ogg, loutre1-3.wav and musique.mid.
bool generateSounds(const std::string& root);
// textures/icone.bmp (the window icon, keyed black) and, when themeRoot is not empty, the
// icon theme's PNGs themeRoot/NxN/apps/zorblat.png at 16, 32, 48, 64, 128 and 256 pixels
// (their folders already exist).
bool generateIcons(const std::string& root, const std::string& themeRoot);

}  // namespace assetgen
