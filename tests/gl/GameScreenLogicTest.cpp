// GameScreen logic: game rules, score and end of game, shooting, collisions, keys and mouse look.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "framework/ScreenDefaults.h"
#include "framework/ScreenDispatch.h"
#include "game/CollisionSet.h"
#include "game/GameScreen.h"
#include "render/Clock.h"
#include "render/Model.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"

// Reaches the game's private state, and runs the moving half of a drawn frame (collisions,
// then the herd) without the drawing the game does around it.
struct GameScreenLogicProbe {
    static OtterHerd& herd(GameScreen& g) { return *g.herd_; }
    static CollisionSet& collisions(GameScreen& g) { return *g.collisions_; }
    static int shots(const GameScreen& g) { return g.shots_; }
    static int hits(const GameScreen& g) { return g.hits_; }
    static int kills(const GameScreen& g) { return g.kills_; }
    static void setCounters(GameScreen& g, int shots, int hits, int kills) {
        g.shots_ = shots;
        g.hits_ = hits;
        g.kills_ = kills;
    }
    static int precision(const GameScreen& g) { return g.precisionPercent(); }
    static const float* warningColour(const GameScreen& g) { return g.warningColour_; }
    static Vector3 light(const GameScreen& g) { return *g.light_; }
    static void movingHalfOfFrame(GameScreen& g, bool otters) {
        g.collisions_->resolve();
        if (otters) {
            glLoadIdentity();
            g.weapon_->apply();
            g.herd_->updateAndDraw(g.difficulty_);
        }
    }
};
using Probe = GameScreenLogicProbe;

namespace {

struct ResultsCall {
    int calls = 0;
    int score = 0, precision = 0, kills = 0;
};
ResultsCall results;
class StandInScreen : public Screen {
public:
    void display() override {}
    void idle() override {}
    void mouse(int, int, int, int) override {}
    void passiveMotion(int, int) override {}
    void motion(int, int) override {}
    void keyboard(int, int, int) override {}
    void keyboardUp(int, int, int) override {}
    void special(int, int, int) override {}
    void specialUp(int, int, int) override {}
    void reshape(int, int) override {}
    const char* name() const override { return "stand-in"; }
};
StandInScreen menuScreen;
StandInScreen resultsScreen;
Screen& mainMenu() { return menuScreen; }
Screen& showResults(int score, int precision, int kills) {
    results = {results.calls + 1, score, precision, kills};
    return resultsScreen;
}

double horizontalDistance(const Vector3& p) { return std::hypot(p.x(), p.z()); }

class GameScreenLogicTest : public gltest::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_NE(FakeAudioBackend::forInstance(), nullptr);
        reshapePerspective(1024, 768);
        gameclock::setFixed(now);
        srand(7);
        game = std::make_unique<GameScreen>();
        slot = game.get();
        game->screenSlot = &slot;
        game->setExits(mainMenu, showResults);
        results = {};
        game->newGame();
    }
    void TearDown() override {
        game.reset();
        gameclock::setSource({});
        GlTest::TearDown();
    }

    void idleAfter(int ms) {
        now += ms;
        gameclock::setFixed(now);
        game->idle();
    }
    // One GLUT cycle: idle, then the moving half of the drawing (the otters' part draws them,
    // which is slow without a graphics card).
    void cycle(int ms, bool otters = true) {
        idleAfter(ms);
        Probe::movingHalfOfFrame(*game, otters);
    }
    Weapon& player() { return game->weapon(); }
    OtterHerd& herd() { return Probe::herd(*game); }
    float buildingRadius() { return herd().building().model()->radius(); }
    // Turns the player to look at the middle of an otter's box.
    void aimAt(const Otter& otter) {
        const BoundingBox& box = otter.model()->boundingBox();
        Vector3 to = otter.position() + box.center * otter.effectiveScale() - player().position();
        to.normalize();
        player().setPitch(std::asin(-to.y()));
        player().setYaw(std::atan2(to.x(), to.z()));
    }
    void click() {
        game->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
        game->mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
    }

    int now = 100000;
    std::unique_ptr<GameScreen> game;
    Screen* slot = nullptr;
};

TEST_F(GameScreenLogicTest, NewGameFollowsTheDifficultyAndStartsFromScratch) {
    struct Level {
        int difficulty, otters, life;
        float speed;
        int buildingLife;
    };
    for (const Level level : {Level{5, 15, 2, 0.03f, 45}, Level{20, 30, 5, 0.09f, 30}}) {
        Probe::setCounters(*game, 5, 4, 3);
        player().setScore(77);
        game->setDifficulty(level.difficulty);
        game->newGame();
        ASSERT_EQ(herd().count(), level.otters);
        EXPECT_EQ(herd().otter(level.otters - 1).life(), level.life);
        EXPECT_NEAR(herd().otter(0).speed(), level.speed, 1e-6f);
        EXPECT_EQ(herd().building().life(), level.buildingLife);
        EXPECT_EQ(Probe::shots(*game) + Probe::hits(*game) + Probe::kills(*game), 0);
        EXPECT_EQ(player().score(), 0);
        EXPECT_FALSE(game->gameSuspended());
        // The player starts beside the building looking away from it; one frame's
        // collision pass puts the new otters (not freed ones) through the resolver.
        EXPECT_NEAR(player().position().x(), -buildingRadius(), 1e-3f);
        cycle(16);
    }
}

TEST_F(GameScreenLogicTest, ScoreCountsPlayOnlyAndTheGameEndsOnceWhenTheBuildingFalls) {
    // 30 s of play, 4 kills, 10 hits at difficulty 11: 30 + 26 * 4 + 2.2 * 10. (The otters
    // stay put: no frames are drawn.)
    for (int i = 0; i < 10; ++i) {
        idleAfter(1500);
    }
    // A minute in the menus, then the rest of the 30 s.
    game->keyboard(27, 0, 0);
    EXPECT_TRUE(game->gameSuspended());
    EXPECT_EQ(slot, &menuScreen);
    now += 60000;
    gameclock::setFixed(now);
    slot = game.get();
    game->restartClocks();
    for (int i = 0; i < 10; ++i) {
        idleAfter(1500);
    }
    Probe::setCounters(*game, 12, 10, 4);
    herd().building().setLife(1);
    idleAfter(10);
    EXPECT_EQ(player().score(), 156);
    EXPECT_EQ(results.calls, 0);

    herd().building().setLife(0);
    game->idle();
    EXPECT_EQ(results.calls, 1);
    EXPECT_EQ(results.score, 156);
    EXPECT_EQ(results.precision, 83);
    EXPECT_EQ(results.kills, 4);
    EXPECT_EQ(slot, &resultsScreen);
    EXPECT_FALSE(game->gameSuspended());

    Probe::setCounters(*game, 9, 7, 0);
    EXPECT_EQ(Probe::precision(*game), 77);
    // A game without a single shot shows 0 %, not a division by zero.
    Probe::setCounters(*game, 0, 0, 0);
    EXPECT_EQ(Probe::precision(*game), 0);
}

TEST_F(GameScreenLogicTest, HudAnimationsStayInRangeAfterALongMenuStay) {
    // The very first step measures from the screen's construction: 16 ms of red rising.
    cycle(16);
    EXPECT_NEAR(Probe::warningColour(*game)[0], 1.0f + 0.016f * 0.25f, 1e-5f);

    const Vector3 lightBefore = Probe::light(*game);
    now += 90000;  // the first step of a game measures all the time since the last one
    game->newGame();
    cycle(16);
    for (int c = 0; c < 3; ++c) {
        EXPECT_GE(Probe::warningColour(*game)[c], -0.05f);
        EXPECT_LE(Probe::warningColour(*game)[c], 1.05f);
    }
    const Vector3 lightAfter = Probe::light(*game);
    EXPECT_LT((lightAfter - lightBefore).length(), 500.0 * 0.11);
}

TEST_F(GameScreenLogicTest, ShotsHitTheNearestVisibleOtterUnlessTheBuildingIsInTheWay) {
    const float r = buildingRadius();
    // Eye at the otters' middle height, so one level line of fire passes through them all.
    const float middle = herd().otter(0).model()->boundingBox().center.y() * 0.9f;
    player().setPosition(-r - 300.0f, middle, 0.0f);
    for (int i = 0; i < herd().count(); ++i) {
        herd().otter(i).setPosition(Vector3(0.0f, 0.0f, 5000.0f + 100.0f * i));
        herd().otter(i).setVisible(false);
    }
    Otter& nearOtter = herd().otter(3);
    Otter& farOtter = herd().otter(1);
    nearOtter.setPosition(Vector3(-r - 600.0f, 0.0f, 0.0f));
    farOtter.setPosition(Vector3(-r - 900.0f, 0.0f, 0.0f));
    nearOtter.setVisible(true);
    farOtter.setVisible(true);
    nearOtter.setLife(3);
    farOtter.setLife(3);
    aimAt(nearOtter);

    // Only one level of the projection stack left free: the test must not need more.
    const int free = gltest::getInteger(GL_MAX_PROJECTION_STACK_DEPTH) - 2;
    glMatrixMode(GL_PROJECTION);
    for (int i = 0; i < free; ++i) {
        glPushMatrix();
    }
    glMatrixMode(GL_MODELVIEW);
    const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
    // Two presses in the same millisecond: the gun fires once, both shots count and hit.
    const int effects = herd().effectCount();
    click();
    click();
    EXPECT_EQ(gltest::matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(gltest::getInteger(GL_DEPTH_FUNC), GL_LEQUAL);
    glMatrixMode(GL_PROJECTION);
    for (int i = 0; i < free; ++i) {
        glPopMatrix();
    }
    glMatrixMode(GL_MODELVIEW);
    EXPECT_EQ(nearOtter.life(), 1);
    EXPECT_EQ(farOtter.life(), 3);
    EXPECT_GT(nearOtter.knockStrength(), 0.0f);
    EXPECT_EQ(Probe::shots(*game), 2);
    EXPECT_EQ(Probe::hits(*game), 2);
    EXPECT_EQ(herd().effectCount(), effects + 4);  // a tracer and blood per hit

    // The third hit kills: a kill burst too.
    now += 100;
    gameclock::setFixed(now);
    click();
    EXPECT_FALSE(nearOtter.isAlive());
    EXPECT_EQ(Probe::kills(*game), 1);
    EXPECT_EQ(herd().effectCount(), effects + 7);

    // Beyond the knock-back range a hit pushes nothing, and never pulls.
    farOtter.setPosition(Vector3(-r - 2300.0f, 0.0f, 0.0f));
    aimAt(farOtter);
    click();
    EXPECT_EQ(farOtter.life(), 2);
    EXPECT_EQ(farOtter.knockStrength(), 0.0f);

    // An otter behind the building is safe; the shot still counts, nothing else happens.
    farOtter.setPosition(Vector3(r + 300.0f, 0.0f, 0.0f));
    aimAt(farOtter);
    const int effectsBefore = herd().effectCount();
    click();
    EXPECT_EQ(farOtter.life(), 2);
    EXPECT_EQ(herd().effectCount(), effectsBefore);

    // Empty sky: a miss with its tracer.
    player().setYaw(-1.57f);
    player().setPitch(-1.0f);
    click();
    EXPECT_EQ(Probe::shots(*game), 6);
    EXPECT_EQ(Probe::hits(*game), 4);
    EXPECT_EQ(herd().effectCount(), effectsBefore + 1);

    game->mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(Probe::shots(*game), 6);
}

TEST_F(GameScreenLogicTest, KeysWalkThePlayerBetweenTheBuildingAndTheArenaEdge) {
    const float r = buildingRadius();
    // W, A and the arrows drive the camera's own keys, so any of them releases the others.
    game->keyboard('w', 0, 0);
    EXPECT_TRUE(player().isKeyDown(player().forwardKey()));
    game->specialUp(GLUT_KEY_UP, 0, 0);
    EXPECT_FALSE(player().isMoving());
    game->special(GLUT_KEY_LEFT, 0, 0);
    game->keyboardUp('A', 0, 0);
    EXPECT_FALSE(player().isMoving());
    game->keyboard('W', 0, 0);
    EXPECT_FALSE(player().isMoving());

    // Walk into the building: pushed back out every frame, never into its footprint.
    player().setPosition(-r - 200.0f, 50.0f, 0.0f);
    player().setYaw(1.57f);
    game->keyboard('w', 0, 0);
    for (int i = 0; i < 150; ++i) {
        cycle(16, false);
        ASSERT_GT(horizontalDistance(player().position()), r) << "frame " << i;
    }
    // Then away from it, out to the edge of the arena, and on against it.
    game->keyboardUp('w', 0, 0);
    game->special(GLUT_KEY_DOWN, 0, 0);
    for (int i = 0; i < 400; ++i) {
        cycle(16, false);
        ASSERT_LE(horizontalDistance(player().position()), 1000.0) << "frame " << i;
    }
    EXPECT_GT(horizontalDistance(player().position()), 990.0);
    EXPECT_FLOAT_EQ(player().position().y(), 50.0f);

    // Escape lets go of every key: nothing walks after a resume.
    game->keyboard(27, 0, 0);
    EXPECT_FALSE(player().isMoving());
    EXPECT_EQ(slot, &menuScreen);
}

TEST_F(GameScreenLogicTest, EveryWayOfLeavingSuspendsAsEscapeDoesAndStopsTheScoreClock) {
    // Escape, and the window hidden (unmapped, minimised). (The keyboard focus going
    // elsewhere takes the same path; the end-to-end tests move it.)
    const std::function<void()> ways[] = {[] { dispatch::keyboard(27, 0, 0); },
                                          [] { dispatch::windowStatus(GLUT_HIDDEN); }};
    int way = 0;
    for (const auto& leave : ways) {
        SCOPED_TRACE(way++);
        game->newGame();
        slot = game.get();
        currentScreen = game.get();
        idleAfter(5000);
        dispatch::keyboard('z', 0, 0);  // held as the player leaves; released elsewhere
        leave();
        EXPECT_TRUE(game->gameSuspended());
        EXPECT_EQ(slot, &menuScreen);
        EXPECT_FALSE(player().isMoving());
        dispatch::windowStatus(GLUT_FULLY_RETAINED);
        EXPECT_EQ(slot, &menuScreen) << "nothing resumes on its own";

        // A minute away, then the resume button: the score counts play only.
        now += 60000;
        gameclock::setFixed(now);
        slot = game.get();
        game->restartClocks();
        idleAfter(0);
        EXPECT_EQ(player().score(), 5);
        // The key let go elsewhere: pressing it again walks, not taken for a repeat.
        dispatch::keyboard('z', 0, 0);
        EXPECT_TRUE(player().isMoving());
        dispatch::keyboardUp('z', 0, 0);
    }
    currentScreen = nullptr;
}

// A key let go of while the pointer is out of the window or the window hidden sends its
// release elsewhere: the player must stop all the same, and walk again at the next press.
TEST_F(GameScreenLogicTest, EveryMovementKeyStopsWhenItsReleaseCanBeLost) {
    struct Key {
        int code;
        bool special;
    };
    const Key keys[] = {{'z', false},          {'q', false},          {'s', false},
                        {'d', false},          {'w', false},          {'a', false},
                        {'s', false},          {'d', false},          {GLUT_KEY_UP, true},
                        {GLUT_KEY_DOWN, true}, {GLUT_KEY_LEFT, true}, {GLUT_KEY_RIGHT, true}};
    void (*const ways[])() = {[] { dispatch::entry(GLUT_LEFT); },
                              [] { dispatch::windowStatus(GLUT_HIDDEN); }};
    Screen* const before = currentScreen;
    currentScreen = game.get();
    auto press = [](const Key& key) {
        key.special ? dispatch::special(key.code, 0, 0)
                    : dispatch::keyboard(static_cast<unsigned char>(key.code), 0, 0);
    };
    for (void (*const lose)() : ways) {
        for (const Key& key : keys) {
            SCOPED_TRACE(key.code);
            player().setPosition(-buildingRadius() - 300.0f, 50.0f, 0.0f);
            press(key);
            ASSERT_TRUE(player().isMoving());
            lose();
            dispatch::entry(GLUT_ENTERED);
            EXPECT_FALSE(player().isMoving());
            const Vector3 stopped = player().position();
            idleAfter(100);
            EXPECT_EQ((player().position() - stopped).length(), 0.0);
            press(key);
            EXPECT_TRUE(player().isMoving());
            idleAfter(100);
            EXPECT_GT((player().position() - stopped).length(), 20.0);
            key.special ? dispatch::specialUp(key.code, 0, 0)
                        : dispatch::keyboardUp(static_cast<unsigned char>(key.code), 0, 0);
        }
    }
    dispatch::windowStatus(GLUT_FULLY_RETAINED);
    currentScreen = before;
}

TEST_F(GameScreenLogicTest, MouseLookTurnsByTheTrueMotionAndIgnoresWarpsAndEntries) {
    const float perPixel = player().horizontalSensitivity();
    const float yaw0 = player().yaw();
    // Straight after entering, wherever the menu left the pointer: nothing to measure from.
    game->passiveMotion(700, 500);
    game->passiveMotion(720, 500);
    EXPECT_EQ(player().yaw(), yaw0);
    game->idle();                   // warps to (400, 300)
    game->passiveMotion(400, 300);  // the warp's own event
    EXPECT_EQ(player().yaw(), yaw0);
    // Three events in one frame: 40 pixels to the right in all.
    game->passiveMotion(410, 300);
    game->passiveMotion(425, 300);
    game->motion(440, 300);
    EXPECT_NEAR(player().yaw(), yaw0 - 40 * perPixel, 1e-5f);
    game->idle();
    game->passiveMotion(400, 300);
    EXPECT_NEAR(player().yaw(), yaw0 - 40 * perPixel, 1e-5f);

    // Looking down stops short of straight down; the mouse direction flips it.
    game->passiveMotion(400, 3000);
    EXPECT_FLOAT_EQ(player().pitch(), Camera::kPitchLimit);
    game->setMouseDirection(-1);
    game->passiveMotion(400, 3100);
    EXPECT_NEAR(player().pitch(), Camera::kPitchLimit - 100 * player().verticalSensitivity(),
                1e-5f);

    // The pointer leaves the window and comes back somewhere else: no jump.
    dispatch::entry(GLUT_LEFT);
    const float yaw1 = player().yaw();
    game->idle();
    dispatch::entry(GLUT_ENTERED);
    game->passiveMotion(50, 300);
    EXPECT_EQ(player().yaw(), yaw1);
    game->idle();
    game->passiveMotion(400, 300);
    game->passiveMotion(390, 300);
    EXPECT_NEAR(player().yaw(), yaw1 + 10 * perPixel, 1e-5f);
}

TEST_F(GameScreenLogicTest, ALongRandomGameKeepsItsInvariants) {
    const float r = buildingRadius();
    const char keys[] = {'z', 'q', 's', 'd'};
    // Otters start close, so they crowd at the building, arrive, sink and come back. The
    // lighter otter model keeps the drawing quick.
    game->applyVideoSettings(0, 0, true);
    game->setDifficulty(5);
    game->newGame();
    herd().building().setLife(1000);
    const int n = herd().count();
    for (int i = 0; i < n; ++i) {
        Vector3 p(400.0f + 10.0f * (i % 5), 0.0f, 0.0f);
        p.rotate(0.3f * i, false, true, false);
        herd().otter(i).setPosition(p);
    }
    // Otters may touch for a frame, but the collisions must part them again.
    std::vector<int> framesTouching(n * n, 0);
    for (int frame = 0; frame < 400; ++frame) {
        if (rand() % 20 == 0) {
            game->keyboard(keys[rand() % 4], 0, 0);
        }
        if (rand() % 25 == 0) {
            game->keyboardUp(keys[rand() % 4], 0, 0);
        }
        player().addYaw(static_cast<float>(rand() % 21 - 10) * 0.01f);
        if (rand() % 3 == 0) {
            if (rand() % 2 == 0) {
                aimAt(herd().otter(rand() % n));  // maybe hidden or culled
            }
            click();
        }
        cycle(10 + rand() % 30);
        ASSERT_LE(Probe::kills(*game), Probe::hits(*game));
        ASSERT_LE(Probe::hits(*game), Probe::shots(*game));
        const double d = horizontalDistance(player().position());
        ASSERT_GT(d, r);
        ASSERT_LE(d, 1000.0);
        for (int a = 0; a < n; ++a) {
            const Otter& oa = herd().otter(a);
            ASSERT_TRUE(std::isfinite(oa.position().x()) && std::isfinite(oa.position().z()));
            for (int b = a + 1; b < n; ++b) {
                const Otter& ob = herd().otter(b);
                const double reach = oa.model()->radius() * oa.effectiveScale() +
                                     ob.model()->radius() * ob.effectiveScale();
                const bool touching = oa.isAlive() && ob.isAlive() &&
                                      (oa.position() - ob.position()).length() < reach;
                int& run = framesTouching[a * n + b];
                run = touching ? run + 1 : 0;
                ASSERT_LE(run, 3) << "otters " << a << " and " << b << ", frame " << frame;
            }
        }
    }
    EXPECT_GT(Probe::kills(*game), 0);
    EXPECT_LT(herd().building().life(), 1000);
}

}  // namespace
