// EffectList: the herd's particle effects, oldest first, with finished systems kept for reuse.
#pragma once

#include <memory>
#include <vector>

class ParticleEmitter;
class ParticleSystem;
class Texture;
class Vector3;

// Works on a list it does not own (the herd's), so the list's owner keeps its plain vector.
// Finished systems go to a spare list and are reused with their particle arrays and, when a
// spare of the same kind is there, with their emitter too: after the first few seconds of fire
// a shot allocates nothing, and the frame-time update and draw never allocate.
class EffectList {
public:
    explicit EffectList(std::vector<std::unique_ptr<ParticleSystem>>& live);
    ~EffectList();
    EffectList(const EffectList&) = delete;
    EffectList& operator=(const EffectList&) = delete;

    // The four effects, each appended after the others with every particle emitted.
    void addKillBurst(const Vector3& point, const Texture* texture);
    void addArrivalSplash(const Vector3& point, const Texture* texture);
    void addTracer(const Vector3& start, const Vector3& end, bool miss, const Texture* texture);
    void addBloodSpray(const Vector3& point, const Vector3& direction, const Texture* texture);

    // Drops the systems that finished at their last update, then updates the others once.
    void update(float ms);
    void draw() const;
    // Empties the list; its systems wait for reuse.
    void clear();
    // Builds `perKind` spare systems of each of the four kinds ahead of play, so launching
    // effects inside the frame loop allocates nothing until that many of a kind live at once.
    void prepare(int perKind);

    int spareCount() const { return static_cast<int>(spare_.size()); }

    // Systems that may exist at once. Steady fire at the weapon's fastest rate, every shot a
    // kill, keeps about a hundred alive, so this only guards against a runaway caller; an
    // effect added to a full list is not shown.
    static constexpr int kMaxEffects = 1024;
    // The largest particle count of any effect: every system's array is made this big.
    static constexpr int kLargestEffect = 100;
    // Spares of each kind the herd prepares: steady fire at the weapon's fastest rate with
    // every shot a kill keeps about 35 of each kind alive.
    static constexpr int kPreparedPerKind = 40;

private:
    bool full() const;
    // Moves the newest spare system whose emitter is an Emitter to the back of the spare list
    // and returns that emitter; null when there is none.
    template <typename Emitter>
    Emitter* takeSpareEmitting();
    // Sets up a recycled (or, when none is spare, a new) system with the emitter and appends it.
    void launch(ParticleEmitter* emitter, const Vector3& origin, const Vector3& force,
                const Texture* texture, int particles);

    std::vector<std::unique_ptr<ParticleSystem>>& live_;
    std::vector<std::unique_ptr<ParticleSystem>> spare_;
};
