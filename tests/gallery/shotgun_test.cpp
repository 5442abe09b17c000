// The shotgun's cartridges, its states and the explosion it carries, without drawing.
#include "shotgun.h"

#include <gtest/gtest.h>

namespace {

TEST(ShotgunFire, RefusesWhileHiddenOrEmptyAndChangesNothing) {
    struct Case {
        const char* what;
        bool shown;
        int cartridges;
    };
    for (const Case c : {Case{"hidden", false, 5}, Case{"empty", true, 0},
                         Case{"below empty", true, -3}, Case{"hidden and empty", false, 0}}) {
        Shotgun gun;
        if (!c.shown) {
            gun.hide();
        }
        gun.cartridges = c.cartridges;
        EXPECT_FALSE(gun.fire()) << c.what;
        EXPECT_EQ(gun.cartridges, c.cartridges) << c.what;
        EXPECT_FALSE(gun.explosion.playing) << c.what;
    }
}

TEST(ShotgunFire, FiveCartridgesGiveFiveShots) {
    Shotgun gun;
    int fired = 0;
    for (int press = 0; press < 6; ++press) {
        fired += gun.fire() ? 1 : 0;
    }
    EXPECT_EQ(fired, 5);
    EXPECT_EQ(gun.cartridges, 0);
}

TEST(ShotgunFire, StartsTheExplosionWithoutRewindingIt) {
    Shotgun gun;
    gun.explosion.frame = 4;
    EXPECT_TRUE(gun.fire());
    EXPECT_TRUE(gun.explosion.playing);
    EXPECT_EQ(gun.explosion.frame, 4);
}

TEST(ShotgunPosition, TheExplosionStandsThreeUnitsTowardsTheTargets) {
    Shotgun gun;
    gun.setPosition(40, 4.5f, 8);
    EXPECT_EQ(gun.explosion.x, 40);
    EXPECT_EQ(gun.explosion.y, 4.5f);
    EXPECT_EQ(gun.explosion.z, 5);
}

} // namespace
