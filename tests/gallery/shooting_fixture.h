// A fixture for the shooting as the program plays it: the shell's callbacks on the real
// window, started by the real start-up from a folder holding every picture of the gallery.
// Targets and explosion pictures have plain colours so that frames can be read back.
#pragma once

#include "front_view.h"

#include <gtest/gtest.h>

class ShootingTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // How many redisplays the program requested since the last call.
    static int redisplayRequests();

    // Draws one frame of the scene into the back buffer, as the display callback does.
    static void drawFrame();

    static void press(unsigned char key);

    // Chooses a firing position from the menu (entries 3 to 5) and draws its first frame, so
    // that the crosshair stands at the aim point.
    static void takeFiringPosition(int menuEntry);

    // Where a scene point shows in the 640 x 480 window seen from firing position 2.
    static Rgb pixelSeenFromMiddlePosition(float x, float y, float z);
};
