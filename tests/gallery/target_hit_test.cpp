// The hit test: the board's rectangle with all four bounds included, bounds formed in double,
// and only x and y compared.
#include "target.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

struct HitCase {
    const char* what;
    float targetX, targetY, aimX, aimY;
    bool hit;
};

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

float below(float v) {
    return std::nextafter(v, -inf);
}
float above(float v) {
    return std::nextafter(v, inf);
}

// Sums that a float rounds past the exact bound: an aim there lies just outside the board,
// and only bounds formed in double see it.
const float rightRoundedUp = 0.1f + 1.5f;
const float leftRoundedDown = 0.3f - 1.5f;
const float topRoundedUp = 0.7f + 3.0f;

void PrintTo(const HitCase& c, std::ostream* out) {
    *out << c.what;
}

class TargetHit : public testing::TestWithParam<HitCase> {};

TEST_P(TargetHit, CountsExactlyTheAimsInsideTheBoard) {
    const HitCase& c = GetParam();
    Target target(0);
    target.testHit(c.targetX, c.targetY, c.aimX, c.aimY);
    EXPECT_EQ(target.hits, c.hit ? 1 : 0) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, TargetHit,
    testing::Values(
        HitCase{"middle", 0, 4.2f, 0, 5.5f, true}, HitCase{"left edge", 0, 4.2f, -1.5f, 5, true},
        HitCase{"right edge", 0, 4.2f, 1.5f, 5, true},
        HitCase{"bottom edge", 0, 4.2f, 0, 4.2f, true}, HitCase{"top edge", 0, 4.2f, 0, 7.2f, true},
        HitCase{"corner", 0, 4.2f, 1.5f, 7.2f, true},
        HitCase{"just left", 0, 4.2f, below(-1.5f), 5, false},
        HitCase{"just right", 0, 4.2f, above(1.5f), 5, false},
        HitCase{"just below", 0, 4.2f, 0, below(4.2f), false},
        HitCase{"just above", 0, 4.2f, 0, above(7.2f), false},
        HitCase{"rabbit's left edge", 36.2f, 4.2f, 34.7f, 4.2f, true},
        HitCase{"gopher low in its hole", -40, 0.8f, -41.5f, 3.8f, true},
        HitCase{"right bound rounded up", 0.1f, 0, rightRoundedUp, 1, false},
        HitCase{"left bound rounded down", 0.3f, 0, leftRoundedDown, 1, false},
        HitCase{"top bound rounded up", 0, 0.7f, 0, topRoundedUp, false},
        HitCase{"NaN aim x", 0, 4.2f, nan, 5, false}, HitCase{"NaN aim y", 0, 4.2f, 0, nan, false},
        HitCase{"NaN board", nan, 4.2f, 0, 5, false},
        HitCase{"infinite aim", 0, 4.2f, inf, inf, false},
        HitCase{"infinite board", -inf, 4.2f, 0, 5, false}),
    [](const testing::TestParamInfo<HitCase>& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        std::replace(name.begin(), name.end(), '\'', '_');
        return name;
    });

TEST(TargetHitRounding, TheRoundedSumsReallyLieBeyondTheExactBounds) {
    EXPECT_GT(static_cast<double>(rightRoundedUp), static_cast<double>(0.1f) + 1.5);
    EXPECT_LT(static_cast<double>(leftRoundedDown), static_cast<double>(0.3f) - 1.5);
    EXPECT_GT(static_cast<double>(topRoundedUp), static_cast<double>(0.7f) + 3);
}

TEST(TargetHitCounter, StopsAtTheLargestCount) {
    Target target(0);
    target.hits = std::numeric_limits<std::int32_t>::max() - 1;
    target.testHit(0, 0, 0, 1);
    target.testHit(0, 0, 0, 1);
    EXPECT_EQ(target.hits, std::numeric_limits<std::int32_t>::max());
}

} // namespace
