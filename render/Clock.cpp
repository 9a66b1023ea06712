// Clock: GLUT elapsed time, or a test's replacement; real time; the start-up timings.
#include "render/Clock.h"

#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace gameclock {
namespace {

std::function<int()>& source() {
    static std::function<int()> installed;
    return installed;
}

// Taken while the program initialises its statics, just before main.
const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

double wallMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                     processStart)
        .count();
}

bool timingsWanted() {
    static const bool wanted = [] {
        const char* value = std::getenv("ZORBLAT_TIMINGS");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return wanted;
}

// A fixed table, so timing never allocates.
struct PartTotal {
    const char* name;
    double ms;
};
PartTotal partTotals[16];
int partCount = 0;

constexpr long kLongestStepMs = 1000;
int stepMs = 0;
int steppedNowMs = 0;

void addToPart(const char* name, double ms) {
    for (int i = 0; i < partCount; ++i) {
        if (std::strcmp(partTotals[i].name, name) == 0) {
            partTotals[i].ms += ms;
            return;
        }
    }
    if (partCount < 16) {
        partTotals[partCount++] = {name, ms};
    }
}

}  // namespace

TimedPart::TimedPart(const char* part) : part_(part) {
    if (timingsWanted()) {
        startMs_ = wallMs();
    }
}

TimedPart::~TimedPart() {
    if (timingsWanted()) {
        addToPart(part_, wallMs() - startMs_);
    }
}

void startupReady() {
    static bool reported = false;
    if (!timingsWanted() || reported) {
        return;
    }
    reported = true;
    std::fprintf(stderr, "zorblat timings: ready %.0f ms", wallMs());
    for (int i = 0; i < partCount; ++i) {
        std::fprintf(stderr, "; %s %.0f ms", partTotals[i].name, partTotals[i].ms);
    }
    std::fprintf(stderr, "\n");
}

int elapsedMs() {
    const std::function<int()>& s = source();
    return s ? s() : glutGet(GLUT_ELAPSED_TIME);
}

void setSource(std::function<int()> replacement) { source() = std::move(replacement); }

double realTimeMs() { return wallMs(); }

void setFixed(int ms) {
    setSource([ms] { return ms; });
}

void stepFromEnvironment() {
    const char* value = std::getenv("ZORBLAT_CLOCK_STEP_MS");
    if (value == nullptr) {
        return;
    }
    char* end = nullptr;
    const long ms = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || ms < 1 || ms > kLongestStepMs) {
        std::fprintf(stderr, "zorblat: ZORBLAT_CLOCK_STEP_MS=%s ignored (1..%ld)\n", value,
                     kLongestStepMs);
        return;
    }
    stepMs = static_cast<int>(ms);
    setSource([] { return steppedNowMs; });
}

void idleStep() {
    if (stepMs > 0) {
        steppedNowMs += stepMs;
    }
}

}  // namespace gameclock
