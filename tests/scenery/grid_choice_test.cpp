// The two integer functions that choose a wall's grid.
#include "booth_box.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct CellsCase {
    int count, total, expected;
    const char* why;
};

TEST(CellsFor, FindsTheDivisorNearestTheCount) {
    const CellsCase cases[] = {
        {15, 100, 20, "upward 20 at distance 5 wins over 10 at distance 5"},
        {6, 35, 7, "upward before downward at equal distance: 7, not 5"},
        {16, 50, 10, "downward at distance 6"},
        {40, 50, 50, "50 at distance 10, the last step"},
        {5, 100, 5, "the count itself divides"},
        {4, 50, 5, "4 does not divide 50; upward 5 before 3"},
        {3, 100, 4, "4 divides 100, tried before 2"},
        {1, 100, 1, "a count below 2"},
        {0, 100, 1, "ratio 0, a wall whose outer side is the longer one"},
        {-5, 100, 1, "a negative count, from a wall with a negative extent"},
        {28, 50, 25, "the roof's back wall"},
        {40, 97, 41, "fallback: 97 is prime, 2 does not divide it"},
        {25, 97, 26, "fallback again, below the count"},
        {30, 60, 30, "exact"},
        {20, 0, 20, "every candidate divides 0"},
    };
    for (const CellsCase& c : cases) {
        EXPECT_EQ(BoothBox::cellsFor(c.count, c.total), c.expected)
            << "cellsFor(" << c.count << ", " << c.total << "): " << c.why;
    }
}

TEST(CellsFor, FallbackSkipsTheSmallDivisorsOfTheTotal) {
    // 600420 = 60 * 10007 (a prime) has no divisor within 10 of 1000; 2 to 6 divide it, 7 does
    // not: 1000 + 7 - 1.
    EXPECT_EQ(BoothBox::cellsFor(1000, 600420), 1006);
}

TEST(CellsFor, StaysInRangeForExtremeCounts) {
    EXPECT_EQ(BoothBox::cellsFor(INT_MAX, 97), INT_MAX);
    EXPECT_EQ(BoothBox::cellsFor(INT_MAX, INT_MIN), INT_MAX);
    EXPECT_EQ(BoothBox::cellsFor(INT_MAX - 3, 1), INT_MAX - 2);
    EXPECT_EQ(BoothBox::cellsFor(INT_MIN, 100), 1);
    EXPECT_EQ(BoothBox::cellsFor(12, -36), 12);
}

struct RatioCase {
    float a, b;
    int expected;
    const char* why;
};

TEST(RatioOf, TruncatesTheFloatQuotientTowardZero) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const RatioCase cases[] = {
        {30, 10, 3, "platform bottom"},
        {10, 30, 0, "the shorter side over the longer"},
        {0.5f, 0.25f, 2, "fractional extents divide as floats, not as truncated integers"},
        {6, 0.5f, 12, "panel bottom"},
        {7, 0.25f, 28, "roof back"},
        {-10, 2, -5, "a negative quotient keeps its sign"},
        {2, -10, 0, "-0.2 truncates to 0"},
        {-7, 2, -3, "toward zero, not down"},
        {0, 5, 1, "a zero numerator"},
        {5, 0, 1, "a zero denominator"},
        {0, 0, 1, "both zero"},
        {1e30f, 1, INT_MAX, "clamped above"},
        {-1e30f, 1, INT_MIN, "clamped below"},
        {1, 1e-30f, INT_MAX, "a tiny denominator"},
        {inf, 1, INT_MAX, "infinite"},
        {inf, inf, 1, "not a number"},
        {nan, 1, 1, "not a number"},
    };
    for (const RatioCase& c : cases) {
        EXPECT_EQ(BoothBox::ratioOf(c.a, c.b), c.expected)
            << "ratioOf(" << c.a << ", " << c.b << "): " << c.why;
    }
}

TEST(BoothBoxConstruction, CopiesEverythingButTheListName) {
    float corners[24];
    for (int k = 0; k < 24; ++k) {
        corners[k] = static_cast<float>(k) - 7.5f;
    }
    const float ambient[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    const float diffuse[4] = {0.5f, 0.6f, 0.7f, 0.8f};
    const float specular[4] = {0.9f, 1, 0.25f, 0.75f};
    BoothBox box(corners, 50, ambient, diffuse, specular, 12);
    box.listName = 77;
    const BoothBox copy(box);
    EXPECT_EQ(copy.listName, 0u) << "a copy compiles a list of its own";
    EXPECT_EQ(copy.density, 50);
    EXPECT_EQ(copy.shininess, 12);
    EXPECT_TRUE(std::equal(corners, corners + 24, copy.corners));
    EXPECT_TRUE(std::equal(ambient, ambient + 4, copy.ambient));
    EXPECT_TRUE(std::equal(diffuse, diffuse + 4, copy.diffuse));
    EXPECT_TRUE(std::equal(specular, specular + 4, copy.specular));

    const BoothBox plain(corners, 100);
    EXPECT_EQ(plain.listName, 0u);
    EXPECT_EQ(plain.shininess, 0);
    EXPECT_TRUE(std::all_of(plain.diffuse, plain.diffuse + 4, [](float c) { return c == 0; }));
}

} // namespace
