// CollisionSet: the three collision passes the game runs before the otters move each frame.
#include "game/CollisionSet.h"

#include <cmath>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/Weapon.h"
#include "render/Model.h"

namespace {

float modelRadius(const SceneObject& object) {
    return object.model() ? object.model()->radius() : 0.0f;
}

Vector3 flattened(Vector3 v) {
    v.setComponent(1, 0.0f);
    return v;
}

}  // namespace

CollisionSet::CollisionSet(Otter* otters, Building* buildings, Weapon* players, int otterCount,
                           int buildingCount, int playerCount)
    : otterCount_(otterCount),
      buildingCount_(buildingCount),
      playerCount_(playerCount),
      otters_(otters),
      buildings_(buildings),
      players_(players) {}

void CollisionSet::resolve() {
    for (int p = 0; p < playerCount_; ++p) {
        for (int b = 0; b < buildingCount_; ++b) {
            pushPlayerOutOfBuilding(players_[p], buildings_[b]);
        }
    }
    for (int p = 0; p < playerCount_; ++p) {
        for (int i = 0; i < otterCount_; ++i) {
            if (otters_[i].isAlive()) {
                pushOtterOffPlayer(otters_[i], players_[p]);
            }
        }
    }
    // Every touching pair is met twice, as (a, b) and as (b, a): the second meeting only
    // swaps again if the first step did not already part them.
    for (int a = 0; a < otterCount_; ++a) {
        for (int b = 0; b < otterCount_; ++b) {
            if (a != b && otters_[a].isAlive() && otters_[b].isAlive()) {
                separateOtters(otters_[a], otters_[b]);
            }
        }
    }
}

void CollisionSet::pushPlayerOutOfBuilding(Weapon& player, const Building& building) const {
    const Vector3 eye = player.position();
    const double distance = (eye - building.position()).length();
    const float limit = modelRadius(building) + kPlayerClearance;
    if (limit >= distance) {
        // Radially out from the origin, where the building stands, back at eye height. The
        // push is measured in 3D before the height is reset, so it lands a little short of
        // the limit horizontally and the next frames finish the job.
        Vector3 pushed = eye;
        pushed.normalize();
        pushed = pushed * limit;
        pushed.setComponent(1, kPlayerHeight);
        player.setPosition(pushed);
    }
}

void CollisionSet::pushOtterOffPlayer(Otter& otter, const Weapon& player) const {
    const Vector3 o = flattened(otter.position());
    const Vector3 p = flattened(player.position());
    const double distance = (o - p).length();
    const float limit = modelRadius(otter) * otter.effectiveScale() + kPlayerClearance;
    if (limit < distance) {
        return;
    }
    Vector3 away = o - p;
    away.normalize();
    if (player.isMoving()) {
        // A walking player shoves the otter out of his way.
        otter.setKnockStrength(2.0f);
        otter.setKnockDirection(away);
    } else {
        // A player standing still lets it slide along him: the heading bends away from him
        // in proportion to how straight it was walking into him.
        const float k = static_cast<float>(std::fabs(away.dot(otter.heading())));
        Vector3 heading = away * (2.0f * k) + otter.heading();
        heading.normalize();
        otter.setHeading(heading);
        otter.setSteeringWeight(0.0f);
    }
    otter.move();
}

void CollisionSet::separateOtters(Otter& a, Otter& b) {
    const Vector3 between = flattened(b.position() - a.position());
    const double distance = (b.position() - a.position()).length();
    const float reach = modelRadius(a) * a.effectiveScale() + modelRadius(b) * b.effectiveScale();
    if (reach < distance) {
        return;
    }
    // Two otters walking into each other bump: exchanging their walks sends them back the way
    // they came, and both turn back to their target gradually as their steering weight
    // recovers. Otters that touch without closing in (placed on one spot, walking side by
    // side, shoved together) would exchange the same walk for ever and never steer again, so
    // those are moved apart instead and keep walking as they were.
    const Vector3 closing = flattened(b.heading() - a.heading());
    if (closing.dot(between) < 0.0) {
        bump(a, b);
    } else {
        pushApart(a, b, between, reach - static_cast<float>(distance));
    }
}

void CollisionSet::bump(Otter& a, Otter& b) {
    a.setSteeringWeight(0.0f);
    b.setSteeringWeight(0.0f);
    const Vector3 headingA = a.heading();
    const Vector3 knockDirectionA = a.knockDirection();
    const float knockStrengthA = a.knockStrength();
    a.setHeading(flattened(b.heading()));
    a.setKnockDirection(b.knockDirection());
    a.setKnockStrength(b.knockStrength());
    b.setHeading(flattened(headingA));
    b.setKnockDirection(knockDirectionA);
    b.setKnockStrength(knockStrengthA);
    a.move();
    b.move();
}

void CollisionSet::pushApart(Otter& a, Otter& b, Vector3 between, float overlap) {
    if (between.length() == 0.0) {
        // Exactly on one spot: sideways to the way a walks to its target, so neither is sent
        // towards the building or away from it (along x when even that is undefined).
        const Vector3 toTarget = a.target() - a.position();
        between = Vector3(toTarget.z(), 0.0f, -toTarget.x());
        if (between.length() == 0.0) {
            between = Vector3(1.0f, 0.0f, 0.0f);
        }
    }
    between.normalize();
    // Each goes half the way, and a little more, so that they no longer touch afterwards.
    const Vector3 half = between * (0.5f * overlap + kOtterClearance);
    a.setPosition(a.position() - half);
    b.setPosition(b.position() + half);
}
