// TextureSets: one line per parameter set of the game's textures.
#include "render/TextureSets.h"

#include "render/Texture.h"
#include "render/TextureFilters.h"

namespace texturesets {

bool loadWorld(Texture& texture, const char* path, int quality, int filtering) {
    const TextureFilters f = worldTextureFilters(filtering);
    return texture.load(path, true, f.magnification, f.minification, GL_CLAMP, GL_CLAMP,
                        textureReduction(quality), false, 0, 0, 255, 0, 1);
}

bool loadWorldRepeating(Texture& texture, const char* path, int quality, int filtering) {
    const TextureFilters f = worldTextureFilters(filtering);
    return texture.load(path, true, f.magnification, f.minification, GL_REPEAT, GL_REPEAT,
                        textureReduction(quality), false, 255, 0, 255, 0, 1);
}

bool loadLightMap(Texture& texture, const char* path, int quality) {
    return texture.load(path, false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP,
                        textureReduction(quality), false, 0, 0, 255, 0, 1);
}

bool loadToonRamp(Texture& texture, const char* path) {
    return texture.load(path, false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, false, 255, 0, 0,
                        0, 1);
}

bool loadInterfaceOpaque(Texture& texture, const char* path, bool mipmaps) {
    return texture.load(path, mipmaps, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, false, 0, 0,
                        255, 0, 1);
}

bool loadInterfaceTiled(Texture& texture, const char* path) {
    return texture.load(path, true, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, 0, false, 192, 192,
                        192, 0, 1);
}

bool loadGameFont(Texture& texture, const char* path) {
    return texture.load(path, true, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, 0, false, 255, 0,
                        255, 0, 1);
}

bool loadKeyedBlack(Texture& texture, const char* path, bool mipmaps) {
    return texture.load(path, mipmaps, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, true, 0, 0, 0,
                        0, 1);
}

bool loadRadar(Texture& texture, const char* path) {
    return texture.load(path, false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, true, 0, 0, 0, 0,
                        255);
}

bool loadSweep(Texture& texture, const char* path) {
    return texture.load(path, false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, false, 255, 0, 0,
                        0, 200);
}

bool loadCrosshair(Texture& texture, const char* path) {
    return texture.load(path, false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, true, 0, 0, 255,
                        0, 1);
}

bool loadFire(Texture& texture, const char* path) {
    return texture.load(path, true, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, true, 255, 0, 0, 0,
                        200);
}

}  // namespace texturesets
