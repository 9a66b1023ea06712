// CollisionSet: keeps the player out of the building and pushes otters off the player and each
// other.
#pragma once

#include "render/Vector3.h"

class Building;
class Otter;
class Weapon;

// Nothing here is owned: the herd owns the otters and the building, the game screen the player.
// The otter array is replaced at every new game, so the game screen hands the new one over.
class CollisionSet {
public:
    CollisionSet(Otter* otters, Building* buildings, Weapon* players, int otterCount,
                 int buildingCount, int playerCount);

    void setOtters(Otter* otters) { otters_ = otters; }
    void setOtterCount(int n) { otterCount_ = n; }

    // Once per drawn frame, before the otters take their own step: player against building,
    // player against live otters, then every ordered pair of live otters.
    void resolve();

    // The player's eye height after a push out of the building.
    static constexpr float kPlayerHeight = 50.0f;
    // Clearance kept around the player, added to the building's or an otter's radius.
    static constexpr float kPlayerClearance = 30.0f;
    // How far apart two overlapping otters end up beyond touching, each side.
    static constexpr float kOtterClearance = 0.5f;

private:
    void pushPlayerOutOfBuilding(Weapon& player, const Building& building) const;
    void pushOtterOffPlayer(Otter& otter, const Weapon& player) const;
    static void separateOtters(Otter& a, Otter& b);
    // Otters walking into each other exchange their walks and stagger.
    static void bump(Otter& a, Otter& b);
    // Otters that overlap without closing in are moved apart along the line between them.
    static void pushApart(Otter& a, Otter& b, Vector3 between, float overlap);

    int otterCount_;
    int buildingCount_;
    int playerCount_;
    Otter* otters_;
    Building* buildings_;
    Weapon* players_;
};
