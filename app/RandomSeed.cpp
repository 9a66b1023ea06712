// RandomSeed: a strict parse of ZORBLAT_SEED, the time otherwise.
#include "app/RandomSeed.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace randomseed {

bool parse(const char* text, unsigned& seed) {
    // strtoul alone would take " 7", "+7" and "-7" (wrapped round to a huge number).
    if (text == nullptr || *text < '0' || *text > '9') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > UINT_MAX) {
        return false;
    }
    seed = static_cast<unsigned>(value);
    return true;
}

void seedFromEnvironment() {
    unsigned seed = static_cast<unsigned>(std::time(nullptr));
    const char* value = std::getenv("ZORBLAT_SEED");
    if (value != nullptr && !parse(value, seed)) {
        std::fprintf(stderr, "zorblat: ZORBLAT_SEED=%s ignored (0..%u)\n", value, UINT_MAX);
    }
    std::srand(seed);
}

}  // namespace randomseed
