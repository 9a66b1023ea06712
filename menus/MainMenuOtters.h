// MainMenuOtters: the main menu's otters: one posed on both sides of the title, one walking.
#pragma once

#include <memory>

#include "render/Vector3.h"
#include "render/WindowRect.h"

class GameSession;
class Model;
class Otter;

// Each otter moves in steps of its own, by the game clock's time since its last step, so
// stepping less often than frames keeps their speed; between steps they are drawn again as
// they stood. Slow as they are, the steps look smooth: the posed otter only sways by a few
// degrees a second, the walking one crosses the screen in about 20 seconds.
class MainMenuOtters {
public:
    static constexpr int kPosedStepMs = 100;
    static constexpr int kWalkingStepMs = 50;
    // The drawings: the posed otter on the left (0) and right (1), the walking one (2).
    static constexpr int kDrawings = 3;

    explicit MainMenuOtters(GameSession& game);
    ~MainMenuOtters();

    void setModel(Model* model);
    // Each steps when its time has come (a clock gone back counts as due); true when it did.
    bool stepPosed();
    bool stepWalker();
    // The window pixels a drawing can cover, in the current matrices: a box round the model
    // however it turns and sways, and its outline.
    WindowRect area(int drawing) const;
    // The drawings that meet `part`, lit by `light`, with the depth test.
    void draw(const WindowRect& part, const Vector3* light);

    // The posed otter (0) and the walking one (1).
    const Otter& otter(int index) const;

private:
    std::unique_ptr<Otter[]> otters_;
    bool posedStepped_ = false;
    bool walkerStepped_ = false;
    int lastPosedStepMs_ = 0;
    int lastWalkerStepMs_ = 0;
};
