#include "shooting_fixture.h"

#include "app_state.h"
#include "arrow_keys.h"
#include "cameras.h"
#include "frame.h"
#include "keyboard.h"
#include "menu.h"
#include "picture_folder.h"
#include "scene_objects.h"
#include "startup.h"

#include <GL/freeglut.h>
#include <cmath>
#include <dlfcn.h>
#include <memory>
#include <string>

namespace {

std::unique_ptr<PictureFolder> folder;
std::unique_ptr<WorkingDirectory> inFolder;
int redisplaysRequested = 0;

} // namespace

// Counts the redisplay requests on their way to freeglut. Counting the frames GLUT then draws
// would depend on the window being uncovered, which other test processes sharing the display
// can change at any time.
extern "C" void glutPostRedisplay() {
    using Post = void (*)();
    static const auto post = reinterpret_cast<Post>(dlsym(RTLD_NEXT, "glutPostRedisplay"));
    ++redisplaysRequested;
    post();
}

void ShootingTest::SetUpTestSuite() {
    ensureGlWindow();
    folder = std::make_unique<PictureFolder>();
    ASSERT_TRUE(folder->addGunModel(PictureFolder::GunModel::edgeOn));
    ASSERT_TRUE(folder->addPicture("textury/kralik.bmp", {255, 0, 0}));
    ASSERT_TRUE(folder->addPicture("textury/sysel.bmp", {0, 0, 255}));
    ASSERT_TRUE(folder->addPicture("textury/terc.bmp", {0, 255, 0}));
    for (int n = 1; n <= 10; ++n) {
        ASSERT_TRUE(
            folder->addPicture("textury/Explode" + std::to_string(n) + ".bmp", {255, 255, 255}));
    }
}

void ShootingTest::TearDownTestSuite() {
    folder.reset();
}

void ShootingTest::SetUp() {
    inFolder = std::make_unique<WorkingDirectory>(folder->path());
    initGraphics();
    glutSpecialFunc(onWalkKey);
    onReshape(640, 480);
    onMenu(menuReset); // lights, hit counters and cartridges
    shotgun.explosion.frame = 0;
    shotgun.explosion.playing = false;
    crosshair.setPosition(0, 0, 0);
    redisplayRequests();
}

void ShootingTest::TearDown() {
    inFolder.reset();
}

int ShootingTest::redisplayRequests() {
    const int count = redisplaysRequested;
    redisplaysRequested = 0;
    return count;
}

void ShootingTest::drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    drawScene();
    glPopMatrix();
}

void ShootingTest::press(unsigned char key) {
    onKeyboard(key, 0, 0);
}

void ShootingTest::takeFiringPosition(int menuEntry) {
    onMenu(menuEntry);
    drawFrame();
}

Rgb ShootingTest::pixelSeenFromMiddlePosition(float x, float y, float z) {
    // The eye at (0, 5.5, 8) looks along -z with a 90 degree field of view: 240 pixels per
    // unit of height at unit distance.
    const double distance = 8.0 - z;
    const double column = 320 + 240 * x / distance;
    const double row = 240 + 240 * (y - 5.5) / distance;
    return readPixel(static_cast<int>(std::floor(column)), static_cast<int>(std::floor(row)));
}
