// The two process-wide tables at their edges and for every entry against the written rule.

#include "render/effects/effect_tables.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace poremi;

TEST(EffectTables, BoxAverageRoundsHalvesUpAndStopsAt255)
{
    const std::uint8_t* table = boxAverageTable();
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[4], 0);   // 4/9 = 0.44
    EXPECT_EQ(table[5], 1);   // 5/9 = 0.56
    EXPECT_EQ(table[255], 28);
    EXPECT_EQ(table[9 * 200], 200);
    EXPECT_EQ(table[9 * 255], 255);
    EXPECT_EQ(table[boxAverageTableSize - 1], 255);
}

TEST(EffectTables, BlendEntriesAreTheLowByteOfTheTruncatedProduct)
{
    EXPECT_EQ(blendTableRow(128)[255], 128);
    EXPECT_EQ(blendTableRow(255)[-255], std::uint8_t(-255));
    EXPECT_EQ(blendTableRow(0)[200], 0);
    EXPECT_EQ(blendTableRow(100)[-1], 0);          // −100/255 truncates to 0
    EXPECT_EQ(blendTableRow(200)[-100], std::uint8_t(-78));  // −78.4 toward zero
}

TEST(EffectTables, AddingAnEntryModulo256LandsBetweenDestinationAndSource)
{
    for (int alpha : {0, 1, 64, 127, 128, 254, 255})
        for (int d = 0; d < 256; d += 5)
            for (int s = 0; s < 256; s += 3) {
                const int blended = std::uint8_t(d + blendTableRow(alpha)[s - d]);
                ASSERT_GE(blended, std::min(s, d)) << alpha << " " << d << " " << s;
                ASSERT_LE(blended, std::max(s, d)) << alpha << " " << d << " " << s;
                if (alpha == 255) {
                    ASSERT_EQ(blended, s);
                }
                if (alpha == 0) {
                    ASSERT_EQ(blended, d);
                }
            }
}
