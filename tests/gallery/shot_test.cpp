// The shot from key to score, reloading, the gun in hand and their menu shares, through the
// shell's own callbacks.
#include "app_state.h"
#include "arrow_keys.h"
#include "idle.h"
#include "menu.h"
#include "picture_folder.h"
#include "scene_objects.h"
#include "shooting_fixture.h"
#include "startup.h"

#include <GL/glut.h>

namespace {

int allHits() {
    return rabbit.hits + gopher.hits + paperTarget.hits;
}

TEST_F(ShootingTest, StartUpLeavesTheGunHiddenAndLoadsTheTargetsLast) {
    EXPECT_FALSE(shotgun.isShown());
    EXPECT_EQ(shotgun.cartridges, 5);
    EXPECT_EQ(shotgun.explosion.x, 0);
    EXPECT_EQ(shotgun.explosion.y, 4.5f);
    EXPECT_EQ(shotgun.explosion.z, 5);
    for (const Target* target : {&rabbit, &gopher, &paperTarget}) {
        EXPECT_FALSE(target->textureMissing);
    }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), paperTarget.texture);
    press('1');
    EXPECT_EQ(shotgun.cartridges, 5);
    EXPECT_FALSE(shotgun.explosion.playing);
}

TEST_F(ShootingTest, StartUpWithoutPicturesStillCompletes) {
    const PictureFolder empty;
    const WorkingDirectory inEmpty(empty.path());
    initGraphics();
    for (const Target* target : {&rabbit, &gopher, &paperTarget}) {
        EXPECT_TRUE(target->textureMissing);
        EXPECT_NE(target->texture, 0u);
    }
    for (const GLuint name : shotgun.explosion.textures) {
        EXPECT_NE(name, 0u);
    }
}

TEST_F(ShootingTest, ARefusedShotSpendsAndTestsNothingButRedrawsTheFrame) {
    struct Case {
        const char* what;
        bool hidden;
        int cartridges;
    };
    for (const Case c :
         {Case{"hidden", true, 5}, Case{"empty", false, 0}, Case{"below empty", false, -3}}) {
        takeFiringPosition(menuFiringPosition2); // aimed at the middle paper board
        if (c.hidden) {
            press('z');
        }
        shotgun.cartridges = c.cartridges;
        redisplayRequests();
        press('1');
        EXPECT_EQ(redisplayRequests(), 1) << c.what;
        EXPECT_EQ(shotgun.cartridges, c.cartridges) << c.what;
        EXPECT_FALSE(shotgun.explosion.playing) << c.what;
        EXPECT_EQ(allHits(), 0) << c.what;
    }
}

TEST_F(ShootingTest, SixPressesFromFiveCartridgesFireFiveShots) {
    takeFiringPosition(menuFiringPosition2);
    for (int shot = 0; shot < 6; ++shot) {
        redisplayRequests();
        press('1');
        EXPECT_EQ(redisplayRequests(), 1);
    }
    EXPECT_EQ(shotgun.cartridges, 0);
    EXPECT_EQ(paperTarget.hits, 5);
    EXPECT_EQ(rabbit.hits + gopher.hits, 0);
}

TEST_F(ShootingTest, ReloadingSetsFiveWhateverWasLeft) {
    for (const int left : {5, 3, 0, -2}) {
        for (const bool byMenu : {false, true}) {
            shotgun.cartridges = left;
            if (byMenu) {
                onMenu(menuReset);
            } else {
                press('0');
            }
            EXPECT_EQ(shotgun.cartridges, 5) << left << (byMenu ? " by menu" : " by key");
        }
    }
}

TEST_F(ShootingTest, KeyZShowsAndHidesTheGunInEitherCase) {
    for (const unsigned char key : {'z', 'Z'}) {
        const bool before = shotgun.isShown();
        redisplayRequests();
        press(key);
        EXPECT_NE(shotgun.isShown(), before) << key;
        EXPECT_EQ(redisplayRequests(), 1);
        press(key);
        EXPECT_EQ(shotgun.isShown(), before) << key;
    }
}

TEST_F(ShootingTest, FiringPositionsTakeTheGunAlongAndOtherViewsPutItAway) {
    struct Case {
        int entry;
        float x;
    };
    for (const Case c : {Case{menuFiringPosition1, 40}, Case{menuFiringPosition2, 0},
                         Case{menuFiringPosition3, -40}}) {
        shotgun.cartridges = 2;
        onMenu(c.entry);
        EXPECT_TRUE(shotgun.isShown()) << c.entry;
        EXPECT_EQ(shotgun.explosion.x, c.x);
        EXPECT_EQ(shotgun.explosion.y, 4.5f);
        EXPECT_EQ(shotgun.explosion.z, 5);
        EXPECT_EQ(shotgun.cartridges, 2);
        for (const int away : {menuWalkThrough, menuPanorama}) {
            onMenu(c.entry);
            onMenu(away);
            EXPECT_FALSE(shotgun.isShown()) << away;
        }
    }
}

TEST_F(ShootingTest, RestartClearsEveryCounterAndKeepsTheGunAndItsExplosion) {
    takeFiringPosition(menuFiringPosition2);
    press('1');
    drawFrame();
    rabbit.hits = 4;
    gopher.hits = 2;
    onMenu(menuReset);
    EXPECT_EQ(allHits(), 0);
    EXPECT_EQ(shotgun.cartridges, 5);
    EXPECT_TRUE(shotgun.isShown());
    EXPECT_TRUE(shotgun.explosion.playing);
    EXPECT_EQ(shotgun.explosion.frame, 1);
}

TEST_F(ShootingTest, AShotInThePanoramaAimsWhereTheLastFiringFrameAimed) {
    takeFiringPosition(menuFiringPosition2); // the cross stands on the middle paper board
    onMenu(menuPanorama);
    press('z');
    for (int i = 0; i < 16; ++i) {
        onAimKey(GLUT_KEY_RIGHT, 0, 0); // still registered: the aim point goes into a gap
    }
    drawFrame();
    press('1');
    EXPECT_EQ(shotgun.cartridges, 4);
    EXPECT_EQ(paperTarget.hits, 1);
}

TEST_F(ShootingTest, AShotBeforeTheNextFrameAimsWhereTheCrossStillStands) {
    takeFiringPosition(menuFiringPosition2);
    for (int i = 0; i < 16; ++i) {
        onAimKey(GLUT_KEY_RIGHT, 0, 0); // aim x 1.6: in the gap between two boards
    }
    press('1');
    EXPECT_EQ(paperTarget.hits, 1);
    drawFrame();
    press('1');
    EXPECT_EQ(paperTarget.hits, 1);
    EXPECT_EQ(shotgun.cartridges, 3);
}

TEST_F(ShootingTest, ThePaperBoardsGapsHitNothingAndTheirFacesCountOnce) {
    struct Aim {
        float x;
        int paperHits;
    };
    takeFiringPosition(menuFiringPosition2);
    for (const Aim aim : {Aim{-1.9f, 0}, Aim{-1.6f, 0}, Aim{1.6f, 0}, Aim{1.9f, 0}, Aim{-3.5f, 1},
                          Aim{0, 1}, Aim{3.5f, 1}, Aim{-5, 1}, Aim{5, 1}}) {
        onMenu(menuReset);
        crosshair.setPosition(aim.x, 5.5f, -2);
        press('1');
        EXPECT_EQ(paperTarget.hits, aim.paperHits) << aim.x;
        EXPECT_EQ(rabbit.hits + gopher.hits, 0) << aim.x;
    }
}

TEST_F(ShootingTest, TheShotTestsTheAnimatedPositionsOfTheMoment) {
    takeFiringPosition(menuFiringPosition1);
    rabbitX = 20;
    gopherX = -10;
    gopherY = -3;
    crosshair.setPosition(20.5f, 6, -2);
    press('1');
    EXPECT_EQ(rabbit.hits, 1);
    crosshair.setPosition(-10, -2, -2);
    press('1');
    EXPECT_EQ(gopher.hits, 1);
    EXPECT_EQ(paperTarget.hits, 0);
}

// Sweeps the aim over the whole gallery while the rabbit and the gopher move: no shot may
// count on two boards, since no two hit areas overlap.
TEST_F(ShootingTest, OneShotCountsAtMostOneHit) {
    takeFiringPosition(menuFiringPosition2);
    int shotsThatHit = 0;
    for (int step = 0; step < 60; ++step) {
        for (float x = -46; x <= 46; x += 0.25f) {
            for (float y = 0.5f; y <= 7.5f; y += 0.5f) {
                crosshair.setPosition(x, y, -2);
                const int before = allHits();
                shotgun.cartridges = 5;
                press('1');
                const int added = allHits() - before;
                ASSERT_LE(added, 1) << "aim " << x << ", " << y;
                shotsThatHit += added;
            }
        }
        for (int i = 0; i < 3; ++i) {
            onIdle();
        }
    }
    EXPECT_GT(shotsThatHit, 1000);
}

} // namespace
