// Clock: the game's one time source, GLUT's elapsed milliseconds, replaceable by tests.
#pragma once

#include <functional>

namespace gameclock {

// Milliseconds since GLUT started (or whatever a test installed).
int elapsedMs();

// Installs a replacement clock; an empty function restores GLUT's clock.
void setSource(std::function<int()> source);

// Convenience for tests: the clock reads the given value until set again.
void setFixed(int ms);

// Test-only: with ZORBLAT_CLOCK_STEP_MS=N (1..1000) in the environment, the clock stands
// still between idle steps and moves on exactly N ms at each one, so a test driving the real
// game decides how much game time a frame takes, however busy the machine is. Read once at
// start-up; without the variable the clock stays GLUT's.
void stepFromEnvironment();
// The frame loop calls this before each idle step; without stepping it does nothing.
void idleStep();

// Real milliseconds since the process started, from the system's steady clock, whatever clock
// a test installed above: for pacing frames and sleeping between them, never for the game.
double realTimeMs();

// Start-up timings for the start-up benchmark. With ZORBLAT_TIMINGS=1 in the environment each
// TimedPart adds its wall time to its part's total (loading parts may run many times), and
// startupReady prints the totals and the time since the process started to stderr, once.
// Without it each costs a flag test. Wall time, not the game clock: GLUT may not run yet.
class TimedPart {
public:
    explicit TimedPart(const char* part);
    ~TimedPart();
    TimedPart(const TimedPart&) = delete;
    TimedPart& operator=(const TimedPart&) = delete;

private:
    const char* part_;
    double startMs_ = 0.0;
};
// Called once the first screen answers the player (the main menu after loading).
void startupReady();

}  // namespace gameclock
