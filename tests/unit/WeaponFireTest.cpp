// Weapon firing: the shot rate, the sound and flash angle of accepted shots, no flash before one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/Clock.h"
#include "entities/Weapon.h"
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
        weapon_.setShotInterval(70);
    }
    void TearDown() override { gameclock::setSource({}); }

    long shotsHeard() const {
        return std::count_if(audio_->effects.begin(), audio_->effects.end(),
                             [](const FakeAudioBackend::Effect& e) {
                                 return e.path.find("detonation.ogg") != std::string::npos;
                             });
    }

    // Fires at the given clock reading; answers whether a shot sounded.
    bool fireAt(int ms) {
        gameclock::setFixed(ms);
        const long before = shotsHeard();
        const bool accepted = weapon_.fire();
        EXPECT_EQ(shotsHeard() - before, accepted ? 1 : 0) << "at " << ms;
        return accepted;
    }

    FakeAudioBackend* audio_ = nullptr;
    Weapon weapon_;
};

TEST_F(WeaponFireTest, FirstShotIsAcceptedAtOnceAndNothingFlashesBeforeIt) {
    EXPECT_FALSE(weapon_.isFiring());
    srand(11);
    const float expected = static_cast<float>(std::sin(double(rand())) * 360.0);
    srand(11);
    // The clock still reads 0, well within one shot interval of the creation time.
    EXPECT_TRUE(fireAt(0));
    EXPECT_TRUE(weapon_.isFiring());
    EXPECT_EQ(weapon_.flashAngle(), expected);
    EXPECT_EQ(weapon_.lastShotTime(), 0);
}

TEST_F(WeaponFireTest, OnlyPressesMoreThanTheIntervalApartSoundAndRollANewAngle) {
    weapon_.setScore(42);
    srand(3);
    ASSERT_TRUE(fireAt(1000));
    float angle = weapon_.flashAngle();
    // 50 ms and exactly 70 ms after the accepted shot are refused: no sound, same flash.
    EXPECT_FALSE(fireAt(1050));
    EXPECT_FALSE(fireAt(1070));
    EXPECT_EQ(weapon_.flashAngle(), angle);
    EXPECT_EQ(weapon_.lastShotTime(), 1000);
    // Refused presses do not restart the interval either.
    EXPECT_TRUE(fireAt(1080));
    EXPECT_NE(weapon_.flashAngle(), angle);
    EXPECT_EQ(weapon_.lastShotTime(), 1080);

    // Holding the button and clicking every 10 ms gives one shot per 80 ms.
    int accepted = 0;
    for (int t = 1090; t <= 1890; t += 10) {
        accepted += fireAt(t) ? 1 : 0;
    }
    EXPECT_EQ(accepted, 10);
    EXPECT_EQ(weapon_.score(), 42);
}

}  // namespace
