// Random seed: only a plain number that fits is taken, and the same one deals the same numbers.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "app/RandomSeed.h"

TEST(RandomSeed, TakesOnlyAPlainDecimalNumberThatFits) {
    unsigned seed = 5;
    EXPECT_TRUE(randomseed::parse("0", seed));
    EXPECT_EQ(seed, 0u);
    EXPECT_TRUE(randomseed::parse("4294967295", seed));
    EXPECT_EQ(seed, static_cast<unsigned>(UINT_MAX));
    EXPECT_TRUE(randomseed::parse("0042", seed));
    EXPECT_EQ(seed, 42u);
    for (const char* refused :
         {"", " 7", "+7", "-7", "7 ", "7x", "0x10", "1e3", "4294967296", "99999999999999999999"}) {
        EXPECT_FALSE(randomseed::parse(refused, seed)) << '"' << refused << '"';
        EXPECT_EQ(seed, 42u) << "a refused seed leaves the last one: \"" << refused << '"';
    }
    EXPECT_FALSE(randomseed::parse(nullptr, seed));
}

TEST(RandomSeed, TheSameSeedDealsTheSameGameWhateverCameBefore) {
    auto firstNumbersFrom = [](const char* value, unsigned before) {
        std::srand(before);
        setenv("ZORBLAT_SEED", value, 1);
        randomseed::seedFromEnvironment();
        unsetenv("ZORBLAT_SEED");
        // Unsigned, so the mix of the two wraps instead of overflowing.
        const unsigned first = static_cast<unsigned>(std::rand());
        return first * 31u + static_cast<unsigned>(std::rand());
    };
    EXPECT_EQ(firstNumbersFrom("1234", 1), firstNumbersFrom("1234", 99));
    EXPECT_NE(firstNumbersFrom("1234", 1), firstNumbersFrom("1235", 1));
}
