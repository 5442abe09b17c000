// What the cameras, the lights and the projection leave in the real OpenGL state.
#include "app_state.h"
#include "cameras.h"
#include "menu.h"
#include "shell_fixture.h"

#include <GL/gl.h>
#include <array>
#include <cmath>

namespace {

using Matrix = std::array<float, 16>;

Matrix matrixAfter(void (*camera)()) {
    Matrix m{};
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    camera();
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    glPopMatrix();
    return m;
}

// Column-major matrix times (x, y, z, 1).
std::array<float, 3> transform(const Matrix& m, float x, float y, float z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

void expectNear(std::array<float, 3> actual, std::array<float, 3> expected) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-4) << "component " << i;
    }
}

} // namespace

using Cameras = ShellTest;

TEST_F(Cameras, FiringCameraStandsAt5Point5And8LookingAlongMinusZ) {
    onMenu(menuFiringPosition1);
    const Matrix m = matrixAfter(activeCamera);
    expectNear(transform(m, 40, 5.5f, 8), {0, 0, 0});
    expectNear(transform(m, 40, 5.5f, -13), {0, 0, -21});
    expectNear(transform(m, 41, 6.5f, 8), {1, 1, 0});
}

TEST_F(Cameras, PanoramaLooksAtTheOriginAndTurnsTheSceneCounterClockwise) {
    const float distance = std::sqrt(13.0f * 13 + 15 * 15 + 13 * 13);
    Matrix m = matrixAfter(panoramicCamera);
    expectNear(transform(m, 0, 0, 0), {0, 0, -distance});
    expectNear(transform(m, 13, 15, 13), {0, 0, 0});
    panoramaAngle = 90;
    const Matrix turned = matrixAfter(panoramicCamera);
    // Turning by 90 degrees about y brings the scene's +x axis where its -z axis was.
    expectNear(transform(turned, 1, 0, 0), transform(m, 0, 0, -1));
}

TEST_F(Cameras, WalkCameraLooksHorizontallyHalfAUnitAboveThePosition) {
    onMenu(menuWalkThrough);
    walkPosition[0] = 2;
    const Matrix m = matrixAfter(walkCamera);
    expectNear(transform(m, 2, 5.5f, 0), {0, 0, 0});
    expectNear(transform(m, 2, 5.5f, -3), {0, 0, -3});
    EXPECT_NEAR(walkDirection[0], 0, 1e-12);
    EXPECT_EQ(walkDirection[1], 0);
    EXPECT_NEAR(walkDirection[2], -1, 1e-12);
}

TEST_F(Cameras, LightsAreGivenInSceneCoordinatesAndSwitchedOffAfterTheFrame) {
    onMenu(menuFiringPosition1);
    spotLightOn = true;
    drawFrame();
    float spot[4];
    float direction[4];
    float overhead[4];
    float cutoff = 0;
    glGetLightfv(GL_LIGHT1, GL_POSITION, spot);
    glGetLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, direction);
    glGetLightfv(GL_LIGHT0, GL_POSITION, overhead);
    glGetLightfv(GL_LIGHT1, GL_SPOT_CUTOFF, &cutoff);
    // Eye coordinates of (40, 8, 7) seen from (40, 5.5, 8).
    expectNear({spot[0], spot[1], spot[2]}, {0, 2.5f, -1});
    expectNear({direction[0], direction[1], direction[2]}, {0, -1, -4.5f});
    expectNear({overhead[0], overhead[1], overhead[2]}, {0, 60, 0});
    EXPECT_EQ(overhead[3], 0.0f);
    EXPECT_EQ(cutoff, 13.0f);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
}

TEST_F(Cameras, ASpotMovedWhileOffShinesFromTheNewPlaceOnceSwitchedOn) {
    onMenu(menuFiringPosition3);
    drawFrame();
    spotLightOn = true;
    onMenu(menuFiringPosition2);
    drawFrame();
    float spot[4];
    glGetLightfv(GL_LIGHT1, GL_POSITION, spot);
    expectNear({spot[0], spot[1], spot[2]}, {0, 2.5f, -1});
}

TEST_F(Cameras, ReshapeSetsViewportAndAspect) {
    struct {
        int width, height;
        float aspect;
    } cases[] = {{640, 480, 4.0f / 3}, {800, 400, 2}, {400, 800, 0.5f}};
    for (const auto& c : cases) {
        onReshape(c.width, c.height);
        Matrix p{};
        glGetFloatv(GL_PROJECTION_MATRIX, p.data());
        int viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], c.width);
        EXPECT_EQ(viewport[3], c.height);
        EXPECT_NEAR(p[5], 1, 1e-6); // cot(45 degrees)
        EXPECT_NEAR(p[0], 1 / c.aspect, 1e-6);
        // Near plane 0.1 and far plane 180.
        EXPECT_NEAR(p[10], -(180 + 0.1) / (180 - 0.1), 1e-5);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
}

TEST_F(Cameras, AWindowWithNoHeightGivesAFiniteProjection) {
    onReshape(640, 0);
    Matrix p{};
    glGetFloatv(GL_PROJECTION_MATRIX, p.data());
    for (float v : p) {
        EXPECT_TRUE(std::isfinite(v));
    }
    EXPECT_NEAR(p[0], 1.0f / 640, 1e-7); // taken with a height of 1
    onReshape(640, 480);
}
