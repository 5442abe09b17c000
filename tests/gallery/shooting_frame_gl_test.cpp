// What the frames show of the shooting, read back from the real GL: the crosshair, the
// explosion after a shot and the boards with their pictures.
#include "app_state.h"
#include "menu.h"
#include "scene_objects.h"
#include "shooting_fixture.h"

#include <filesystem>

namespace {

int brightness(Rgb c) {
    return c.r + c.g + c.b;
}

TEST_F(ShootingTest, TheCrosshairShowsAtTheMiddleOfTheViewInPositionTwo) {
    takeFiringPosition(menuFiringPosition2);
    const Rgb middle = readPixel(320, 240);
    const Rgb upperBar = readPixel(320, 245);
    const Rgb rightBar = readPixel(325, 240);
    const Rgb beside = readPixel(325, 245);
    // The same frame with the aim point far out of sight.
    aimPoint[0] = 100;
    drawFrame();
    EXPECT_TRUE(sameColour(middle, upperBar)) << middle << upperBar;
    EXPECT_TRUE(sameColour(middle, rightBar)) << middle << rightBar;
    EXPECT_FALSE(sameColour(middle, readPixel(320, 240), 4)) << middle;
    EXPECT_TRUE(sameColour(beside, readPixel(325, 245))) << beside;
}

TEST_F(ShootingTest, AShotLightsUpTheExplosionInFrontOfTheGunForTenFrames) {
    takeFiringPosition(menuFiringPosition2);
    // The explosion stands at (0, 4.5, 5), three units in front of the gun.
    const Rgb before = pixelSeenFromMiddlePosition(0, 4.5f, 5);
    press('1');
    for (int frame = 1; frame <= 10; ++frame) {
        drawFrame();
        const Rgb shown = pixelSeenFromMiddlePosition(0, 4.5f, 5);
        EXPECT_GT(brightness(shown), brightness(before) + 150) << "frame " << frame << shown;
    }
    drawFrame();
    EXPECT_TRUE(sameColour(pixelSeenFromMiddlePosition(0, 4.5f, 5), before));
}

TEST_F(ShootingTest, AFifthShotShowsItsExplosionAndTheSixthNone) {
    takeFiringPosition(menuFiringPosition2);
    const Rgb before = pixelSeenFromMiddlePosition(0, 4.5f, 5);
    for (int shot = 1; shot <= 6; ++shot) {
        press('1');
        drawFrame();
        const Rgb shown = pixelSeenFromMiddlePosition(0, 4.5f, 5);
        if (shot <= 5) {
            EXPECT_GT(brightness(shown), brightness(before) + 150) << "shot " << shot;
        } else {
            EXPECT_TRUE(sameColour(shown, before)) << "shot " << shot << shown;
        }
        for (int frame = 2; frame <= 11; ++frame) {
            drawFrame(); // lets the explosion run out
        }
    }
}

// With the model file gone after the first frame of the shown gun, every later frame, position
// and shot must do without it: reading it again would end the process.
TEST_F(ShootingTest, TheGunModelIsNeverReadAgain) {
    takeFiringPosition(menuFiringPosition2);
    const std::filesystem::path model = "modely/brokovnice.obj";
    const std::filesystem::path away = "modely/moved-away.obj";
    std::filesystem::rename(model, away);
    for (const int entry :
         {menuFiringPosition1, menuFiringPosition3, menuPanorama, menuFiringPosition2}) {
        takeFiringPosition(entry);
        press('z');
        drawFrame();
        press('z');
        drawFrame();
        press('1');
        drawFrame();
    }
    std::filesystem::rename(away, model);
    EXPECT_EQ(shotgun.cartridges, 2); // the panorama's "z" pair leaves the gun hidden there
}

// Each board shows its own picture (kralik red, sysel blue, terc green) from the position in
// front of its booth, seen through a little white fog.
TEST_F(ShootingTest, EachBoardShowsItsPictureInItsBooth) {
    struct Case {
        const char* what;
        int entry;
        double eyeX;
        float boardX;
        int channel; // 0 red, 1 green, 2 blue
    };
    gopherY = 4.2f;
    for (const Case c : {Case{"rabbit", menuFiringPosition1, 40, 36.5f, 0},
                         Case{"left paper board", menuFiringPosition2, 0, -3.5f, 1},
                         Case{"right paper board", menuFiringPosition2, 0, 3.5f, 1},
                         Case{"gopher", menuFiringPosition3, -40, -36.5f, 2}}) {
        takeFiringPosition(c.entry);
        // The upper part of the board, at (boardX, 6.7, -13), 21 units from the eye.
        const float shift = static_cast<float>(c.boardX - c.eyeX);
        const Rgb pixel = pixelSeenFromMiddlePosition(shift, 6.7f, -13);
        const int channels[3] = {pixel.r, pixel.g, pixel.b};
        for (int other = 0; other < 3; ++other) {
            if (other != c.channel) {
                EXPECT_GT(channels[c.channel], channels[other] + 60) << c.what << pixel;
            }
        }
    }
}

} // namespace
