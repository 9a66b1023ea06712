// Ground: the arena's floor: a dark base, the turning light's spot, the firing spot under the
// player and the ground picture, in one textured pass where the driver allows, else in layers.
#pragma once

#include <memory>

#include "render/Vector3.h"

class Texture;

class Ground {
public:
    // Empty pictures until loadTextures; finds out whether one pass fits (needs a current
    // context, with the multitexture entry points already looked up).
    Ground();
    ~Ground();
    Ground(const Ground&) = delete;
    Ground& operator=(const Ground&) = delete;

    // Quality 0..3, filtering 0..3 (others: nearest).
    void loadTextures(int quality, int filtering);

    // The ground is drawn in one pass wherever the driver allows; false draws its three blended
    // layers instead (the same picture, for comparing the two).
    void setOnePass(bool onePass) { onePass_ = onePass && fitsOnePass(); }
    bool onePass() const { return onePass_; }

    // The light spot sits under light, the firing spot (while firing) under player.
    void draw(const Vector3& light, const Vector3& player, bool firing) const;
    // The spots alone, for the glow pass: the light spot in grey, the firing spot in red.
    void drawGlowingSpots(const Vector3& light, const Vector3& player, bool firing) const;

private:
    // Whether the driver can draw the ground in one pass (needs a current context).
    static bool fitsOnePass();
    // The light map's coordinates at a ground point: centred under the light, or under the
    // player for the firing spot.
    void spotTexCoord(float x, float z, const Vector3& centre, bool firingSpot, float st[2]) const;
    void drawSpotQuads(const Vector3& centre, bool firingSpot) const;
    // One blended layer of light spots in the given tint, with the firing spot when firing.
    void drawSpotLayer(const float tint[3], const Vector3& light, const Vector3& player,
                       bool firing) const;
    void drawInOnePass(const Vector3& light, const Vector3& player, bool firing) const;
    void drawInLayers(const Vector3& light, const Vector3& player, bool firing) const;

    std::unique_ptr<Texture> lightmapTexture_;
    std::unique_ptr<Texture> groundTexture_;
    float lightSpotSize_ = 1000.0f;
    // The three layers combined in the texture units (same picture, one pass).
    bool onePass_ = false;
};
