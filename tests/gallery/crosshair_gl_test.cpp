// The crosshair's two bars on the real GL: their shape around the position, added onto the
// frame buffer in the colour in effect.
#include "crosshair.h"
#include "front_view.h"

namespace {

class CrosshairTest : public FrontViewTest {};

TEST_F(CrosshairTest, TwoBarsAreAddedOntoTheFrameAroundThePosition) {
    Crosshair cross;
    cross.setPosition(1, -0.5f, 0);
    glColor3f(0.5f, 0, 0);
    clearTo(0, 0, 0.2f);
    cross.draw();
    // Where the bars cross (without a depth test) the colour is added twice.
    const Rgb byBars[3] = {{0, 0, 51}, {128, 0, 51}, {255, 0, 51}};
    struct Probe {
        float dx, dy;
        int bars;
    };
    for (const Probe p :
         {Probe{0, 0, 2}, Probe{0.04f, 0.28f, 1}, Probe{-0.04f, -0.28f, 1}, Probe{0.28f, 0.04f, 1},
          Probe{-0.28f, -0.04f, 1}, Probe{0.07f, 0.2f, 0}, Probe{0.2f, 0.07f, 0},
          Probe{0, 0.33f, 0}, Probe{0, -0.33f, 0}, Probe{0.33f, 0, 0}, Probe{-0.33f, 0, 0}}) {
        const Rgb pixel = pixelAt(1 + p.dx, -0.5f + p.dy);
        EXPECT_TRUE(sameColour(pixel, byBars[p.bars])) << p.dx << ", " << p.dy << ": " << pixel;
    }
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

} // namespace
