// RandomSeed: the seed of the game's random numbers, from the clock or fixed by ZORBLAT_SEED.
#pragma once

namespace randomseed {

// Reads a seed written as a plain decimal number that fits an unsigned int: no sign, no
// spaces, nothing after it. Returns false (seed untouched) for anything else.
bool parse(const char* text, unsigned& seed);

// Seeds rand() once at start-up. With ZORBLAT_SEED=N every run deals the same otters and the
// same shots, so a benchmark or a test plays the same game each time; without it, or when N is
// not a number (said in one line on stderr), the seed is the time.
void seedFromEnvironment();

}  // namespace randomseed
