// Weapon firing: the shot rate, the sound and flash angle of accepted shots, no flash before one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "entities/Weapon.h"
#include "render/Clock.h"
#include "sound/SoundManager.h"
#include "tests/support/FakeAudioBackend.h"

namespace {

class WeaponFireTest : public ::testing::Test {
protected:
    void SetUp() override {
        audio_ = FakeAudioBackend::forInstance();
        ASSERT_NE(audio_, nullptr) << "the sound manager was built on another layer";
        SoundManager::instance().setEffectsEnabled(true);
        weapon_.setFlashDuration(60);
    }
    void TearDown() override { gameclock::setSource({}); }

    // Fires at the given clock reading; answers whether it was accepted, checking that exactly
    // the accepted shots sound.
    bool fireAt(int ms) {
        gameclock::setFixed(ms);
        const auto shots = [this] {
            return std::count_if(audio_->effects.begin(), audio_->effects.end(), [](const auto& e) {
                return e.path.find("detonation") != e.path.npos;
            });
        };
        const long before = shots();
        const bool accepted = weapon_.fire();
        EXPECT_EQ(shots() - before, accepted ? 1 : 0) << "at " << ms;
        return accepted;
    }

    FakeAudioBackend* audio_ = nullptr;
    Weapon weapon_;
};

TEST_F(WeaponFireTest, ShotsMustBeMoreThanTheIntervalApartButTheFirstNeedsNoWait) {
    weapon_.setScore(42);
    EXPECT_FALSE(weapon_.isFiring());
    srand(11);
    const float expected = static_cast<float>(std::sin(double(rand())) * 360.0);
    srand(11);
    // The clock still reads 0, within one shot interval of the weapon's creation.
    ASSERT_TRUE(fireAt(0));
    EXPECT_TRUE(weapon_.isFiring());
    EXPECT_EQ(weapon_.flashAngle(), expected);
    // 50 ms and exactly 70 ms after the accepted shot are refused: no sound, same flash.
    EXPECT_FALSE(fireAt(50));
    EXPECT_FALSE(fireAt(70));
    EXPECT_EQ(weapon_.flashAngle(), expected);
    // Refused presses do not restart the interval.
    EXPECT_TRUE(fireAt(80));
    EXPECT_NE(weapon_.flashAngle(), expected);
    EXPECT_EQ(weapon_.lastShotTime(), 80);
    // Clicking every 10 ms gives one shot per 80 ms.
    int accepted = 0;
    for (int t = 90; t <= 890; t += 10) {
        accepted += fireAt(t) ? 1 : 0;
    }
    EXPECT_EQ(accepted, 10);
    EXPECT_EQ(weapon_.score(), 42);
}

}  // namespace
