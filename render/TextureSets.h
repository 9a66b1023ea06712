// TextureSets: the game's named texture load parameter sets, so callers name a role, not twelve
// numbers.
#pragma once

class Texture;

// Each returns what Texture::load returns. Paths are full paths (./ressources/textures/...).
// quality is the 0..3 texture quality setting, filtering the 0..3 filtering setting; both are
// kept in range (see TextureFilters).
namespace texturesets {

// Sky box faces, otter and building skins: mipmapped, clamped, pure blue keyed out.
bool loadWorld(Texture& texture, const char* path, int quality, int filtering);
// Ground and weapon skins: the same, repeating, magenta key.
bool loadWorldRepeating(Texture& texture, const char* path, int quality, int filtering);
// The searchlight spot: linear, clamped, reduced with the quality setting.
bool loadLightMap(Texture& texture, const char* path, int quality);
// toon.bmp and toon_glow.bmp.
bool loadToonRamp(Texture& texture, const char* path);
// Full-screen pictures (with mipmaps) and the particle sprites (without).
bool loadInterfaceOpaque(Texture& texture, const char* path, bool mipmaps);
// Menu background, menu font and the results screen's ground picture: repeating, grey key.
bool loadInterfaceTiled(Texture& texture, const char* path);
// The game screen's HUD font.
bool loadGameFont(Texture& texture, const char* path);
// Menu widgets (with mipmaps) and the mouse cursor (without): black keyed out with alpha.
bool loadKeyedBlack(Texture& texture, const char* path, bool mipmaps);
// Radar background and dot.
bool loadRadar(Texture& texture, const char* path);
// The radar sweep.
bool loadSweep(Texture& texture, const char* path);
bool loadCrosshair(Texture& texture, const char* path);
bool loadFire(Texture& texture, const char* path);

}  // namespace texturesets
