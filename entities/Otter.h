// Otter: one opponent: walks to its target waddling, can be knocked back, sinks when dead.
#pragma once

#include <cstdint>

#include "entities/OtterTuning.h"
#include "entities/SceneObject.h"

// Otters live in one array (the herd's, or the main menu's two), built and destroyed as a
// whole. Time comes from the game clock, randomness from rand(), sound from the SoundManager.
class Otter : public SceneObject {
public:
    // Ticks the clock (frameMs 0), so the first step after construction is well defined.
    Otter();
    ~Otter() override;

    // Reads the clock: frameMs is the time since the previous tick.
    void tick();
    bool isAlive() const { return life_ > 0; }
    // Is any of it still above the ground (top = y + 2 * half height * effective scale)?
    bool isAboveGround() const;
    // The giant scale for a giant, scale otherwise: used for drawing, culling, arrival and spacing.
    float effectiveScale() const { return giant_ ? OtterTuning::kGiantScale : scale_; }

    // Puts the otter on a random point of the ring of the given radius (+-200) around centre
    // and draws new waddle phase, waddle factor and grunt delay.
    void place(const Vector3& centre, float radius);
    // Turns the desired direction towards the target.
    void steer();
    // One step along the heading (plus knock-back) for the last frame time.
    void move();
    // Waddle, clock, move or sink, steering and knock-back recovery, and the shared grunt.
    void update();
    using SceneObject::draw;
    // Draws the otter where it stands, facing its target, in the model's own light.
    void draw(bool glowPass);
    void knockBack(const Vector3& direction, float strength);

    int life() const { return life_; }
    void setLife(int life) { life_ = life; }
    float speed() const { return speed_; }
    void setSpeed(float speed) { speed_ = speed; }
    float steeringWeight() const { return steeringWeight_; }
    void setSteeringWeight(float w) { steeringWeight_ = w; }
    const Vector3& heading() const { return heading_; }
    void setHeading(const Vector3& h) { heading_ = h; }
    const Vector3& knockDirection() const { return knockDirection_; }
    void setKnockDirection(const Vector3& d) { knockDirection_ = d; }
    float knockStrength() const { return knockStrength_; }
    void setKnockStrength(float s) { knockStrength_ = s; }
    const Vector3& target() const { return target_; }
    void setTarget(const Vector3& t) { target_ = t; }
    bool visible() const { return visible_; }
    void setVisible(bool v) { visible_ = v; }
    const Vector3* light() const { return light_; }
    void setLight(const Vector3* light) { light_ = light; }
    float waddleRate() const { return waddleRate_; }
    void setWaddleRate(float r) { waddleRate_ = r; }
    float waddleAngle() const { return waddleAngle_; }
    void setWaddleAngle(float a) { waddleAngle_ = a; }
    float waddleLimit() const { return waddleLimit_; }
    void setWaddleLimit(float l) { waddleLimit_ = l; }
    float scale() const { return scale_; }
    void setScale(float s) { scale_ = s; }
    bool giant() const { return giant_; }
    void setGiant(bool g) { giant_ = g; }
    float frameMs() const { return frameMs_; }

    // The model drawn in place of the otter's own (null: its own), such as a lighter one far
    // from the eye. Walking, culling and hit tests keep to the own model.
    void setDrawnModel(Model* model) { drawnModel_ = model; }
    Model* drawnModel() const { return drawnModel_ ? drawnModel_ : model_; }

    // The facing of the last drawing, radians (kept when the otter stands on its target).
    float facing() const { return facing_; }

    // The grunt clock all otters share; tests reset it between games.
    static void resetGruntClock();

private:
    int32_t gruntDelay_ = 0;
    float waddleFactor_ = 1.0f;
    const Vector3* light_ = nullptr;
    float waddleRate_ = OtterTuning::kWaddleRate;
    float waddleAngle_ = 0.0f;
    float waddleLimit_ = OtterTuning::kWaddleLimit;
    int32_t life_ = 10;
    float speed_ = 0.01f;
    Vector3 desiredDirection_;
    Vector3 target_;
    int32_t lastTick_ = 0;
    float frameMs_ = 0.0f;
    float steeringWeight_ = 1.0f;
    float knockStrength_ = 0.0f;
    Vector3 heading_;
    Vector3 knockDirection_;
    bool visible_ = false;
    float scale_ = 0.9f;
    bool giant_ = false;
    float facing_ = 0.0f;
    Model* drawnModel_ = nullptr;
};
