#include "base/arithmetic.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(Arithmetic, RoundSendsHalvesToTheEvenNeighbour) {
    const struct { double in; std::int64_t out; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {0.0, 0}, {1e9 + 0.5, 1000000000},
    };
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}

TEST(Arithmetic, TruncDivAndModGoTowardZero) {
    EXPECT_EQ(truncate(2.9), 2);
    EXPECT_EQ(truncate(-2.9), -2);
    const struct { std::int64_t a, b, div, mod; } cases[] = {
        {7, 2, 3, 1}, {-7, 2, -3, -1}, {7, -2, -3, 1}, {-7, -2, 3, -1}, {0, 5, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(idiv(c.a, c.b), c.div) << c.a << " div " << c.b;
        EXPECT_EQ(imod(c.a, c.b), c.mod) << c.a << " mod " << c.b;
    }
}

TEST(Arithmetic, MulDivRoundsHalvesAwayFromZeroWithWideIntermediate) {
    const struct { std::int32_t a, b, c, out; } cases[] = {
        {10, 254, 100, 25},          // 25.4
        {5, 1, 2, 3},                // 2.5 -> 3
        {-5, 1, 2, -3},              // -2.5 -> -3
        {5, -1, 2, -3},
        {-5, -1, 2, 3},
        {7, 1, -2, -4},              // -3.5 -> -4
        {3, 1, 2, 2},                // 1.5 -> 2 (not to even)
        {2000000000, 3, 4, 1500000000},  // product exceeds 32 bits
        {1, 1, 0, -1},               // zero divisor
    };
    for (const auto& c : cases) EXPECT_EQ(mulDiv(c.a, c.b, c.c), c.out) << c.a << "*" << c.b << "/" << c.c;
    EXPECT_EQ(mulDiv64(4000000000LL, 4000000000LL, 8000000000LL), 2000000000LL);
}

}  // namespace
}  // namespace poremi
