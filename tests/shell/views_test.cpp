// The menu's views and resets, and the special keys that each view registers. ("Konec programu",
// which ends the program, is tested against the real program in tests/e2e.)
#include "app_state.h"
#include "cameras.h"
#include "menu.h"
#include "shell_fixture.h"

#include <X11/keysym.h>
#include <cmath>

using Views = ShellTest;

TEST_F(Views, WalkThroughResetsPositionHeadingAndRegistersTheWalkKeys) {
    walkPosition[0] = 7;
    walkYaw = 33;
    onMenu(menuFiringPosition1);
    onMenu(menuWalkThrough);
    EXPECT_EQ(activeCamera, &walkCamera);
    EXPECT_EQ(walkPosition[0], 0);
    EXPECT_EQ(walkPosition[1], 5);
    EXPECT_EQ(walkPosition[2], 0);
    EXPECT_EQ(walkDirection[2], -1);
    EXPECT_EQ(walkYaw, -90);
    pressKey(XK_Page_Up);
    EXPECT_DOUBLE_EQ(walkPosition[1], 5.4);
}

TEST_F(Views, FiringPositionsPlaceEyeSpotAndAimButNotTheAimDepth) {
    const struct {
        int entry;
        double x;
    } positions[] = {
        {menuFiringPosition1, 40}, {menuFiringPosition2, 0}, {menuFiringPosition3, -40}};
    for (const auto& p : positions) {
        aimPoint[2] = -7;
        onMenu(p.entry);
        EXPECT_EQ(activeCamera, &firingCamera);
        EXPECT_EQ(firingX, p.x);
        EXPECT_EQ(spotPosition[0], static_cast<float>(p.x));
        EXPECT_EQ(spotPosition[1], 8.0f);
        EXPECT_EQ(spotPosition[2], 7.0f);
        EXPECT_EQ(spotPosition[3], 1.0f);
        EXPECT_EQ(aimPoint[0], static_cast<float>(p.x));
        EXPECT_EQ(aimPoint[1], 5.5f);
        EXPECT_EQ(aimPoint[2], -7.0f);
    }
}

TEST_F(Views, ChoosingTheActiveFiringPositionAgainRecentresTheAim) {
    onMenu(menuFiringPosition2);
    pressKey(XK_Right);
    pressKey(XK_Up);
    EXPECT_NE(aimPoint[0], 0.0f);
    onMenu(menuFiringPosition2);
    EXPECT_EQ(aimPoint[0], 0.0f);
    EXPECT_EQ(aimPoint[1], 5.5f);
}

TEST_F(Views, PanoramaKeepsTheAimKeysOfTheFiringView) {
    onMenu(menuFiringPosition1);
    panoramaAngle = 90;
    onMenu(menuPanorama);
    EXPECT_EQ(activeCamera, &panoramicCamera);
    EXPECT_EQ(panoramaAngle, 0);
    pressKey(XK_Left);
    EXPECT_EQ(aimPoint[0], static_cast<float>(40 - 0.1));
    EXPECT_EQ(walkYaw, 0); // the walk keys are not the ones registered
}

TEST_F(Views, ResetRestoresTheLightsAndPanoramaAndNothingElse) {
    onMenu(menuFiringPosition3);
    spotLightOn = true;
    overheadLightOn = false;
    spotDirection[2] = 1;
    spotCutoff = 40;
    panoramaAngle = 100;
    walkPosition[0] = 3;
    aimPoint[0] = -41;
    const float rabbit = rabbitX;
    onMenu(menuReset);
    EXPECT_EQ(spotDirection[2], -4.5f);
    EXPECT_EQ(spotCutoff, 13.0f);
    EXPECT_EQ(panoramaAngle, 0);
    EXPECT_TRUE(overheadLightOn);
    EXPECT_FALSE(spotLightOn);
    // Left alone: the view, its keys, the aim, the walk, the animation and the spot's place.
    EXPECT_EQ(activeCamera, &firingCamera);
    EXPECT_EQ(aimPoint[0], -41.0f);
    EXPECT_EQ(walkPosition[0], 3);
    EXPECT_EQ(rabbitX, rabbit);
    EXPECT_EQ(spotPosition[0], -40.0f);
    pressKey(XK_Up);
    EXPECT_EQ(aimPoint[1], static_cast<float>(5.5 + 0.1));
}

TEST_F(Views, EveryEntryButQuitRequestsAFrameAndUnknownValuesChangeNothing) {
    for (int entry : {1, 2, 3, 4, 5, 6, 99}) {
        processEvents();
        onMenu(entry);
        EXPECT_EQ(processEvents(), 1) << "entry " << entry;
    }
}

TEST_F(Views, AimStepsAreFormedInDoubleAndStoredAsFloat) {
    onMenu(menuFiringPosition2);
    float expectedX = 0;
    float expectedY = 5.5f;
    for (int i = 0; i < 25; ++i) {
        pressKey(XK_Right);
        pressKey(XK_Down);
        expectedX = static_cast<float>(static_cast<double>(expectedX) + 0.1);
        expectedY = static_cast<float>(static_cast<double>(expectedY) - 0.1);
    }
    EXPECT_EQ(aimPoint[0], expectedX);
    EXPECT_EQ(aimPoint[1], expectedY);
}

TEST_F(Views, OtherSpecialKeysAreIgnoredWithoutARedisplay) {
    onMenu(menuFiringPosition2);
    processEvents();
    pressKey(XK_F5);
    EXPECT_EQ(processEvents(), 0);
    EXPECT_EQ(aimPoint[0], 0.0f);
    onMenu(menuWalkThrough);
    processEvents();
    pressKey(XK_Home);
    EXPECT_EQ(processEvents(), 0);
    EXPECT_EQ(walkYaw, -90);
}

TEST_F(Views, WalkYawWrapsOnlyBeyondPlusMinus360) {
    onMenu(menuWalkThrough);
    for (int i = 0; i < 135; ++i) {
        pressKey(XK_Left);
    }
    EXPECT_EQ(walkYaw, -360);
    pressKey(XK_Left);
    EXPECT_EQ(walkYaw, -2);
    walkYaw = 358;
    pressKey(XK_Right);
    EXPECT_EQ(walkYaw, 360);
    pressKey(XK_Right);
    EXPECT_EQ(walkYaw, 2);
}

TEST_F(Views, AStepFollowsTheDirectionOfTheLastWalkThroughFrame) {
    onMenu(menuWalkThrough);
    pressKey(XK_Right); // turned, but no frame drawn yet
    pressKey(XK_Up);
    EXPECT_DOUBLE_EQ(walkPosition[2], -0.4);
    EXPECT_DOUBLE_EQ(walkPosition[0], 0);
    drawFrame();
    pressKey(XK_Down);
    const double a = -88 * 0.017453292519943295;
    // Near, not equal: z nearly cancels, and a compiler may fuse the multiply and add.
    EXPECT_NEAR(walkPosition[0], -0.4 * std::cos(a), 1e-12);
    EXPECT_NEAR(walkPosition[2], -0.4 - 0.4 * std::sin(a), 1e-12);
}

TEST_F(Views, RightAfterStartTheArrowsActOnTheWalkStateWithoutMoving) {
    pressKey(XK_Up);
    pressKey(XK_Left);
    EXPECT_EQ(walkPosition[0], 0);
    EXPECT_EQ(walkPosition[2], 0);
    EXPECT_EQ(walkYaw, -2);
    EXPECT_EQ(activeCamera, &panoramicCamera);
}
