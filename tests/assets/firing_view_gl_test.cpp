// The committed gun and explosion pictures in the real program's firing view. From firing
// position 2 the eye stands at (0, 5.5, 8) looking along -z; the gun's middle stands at
// (0, 4.5, 8) with its muzzles near z = 5, where the explosion's 1 x 1 square stands, drawn
// after the gun with the depth test on. What the barrels and the booth's counter leave of the
// square is read from the depth buffer, and each picture's light is weighed over it.
#include "asset_test_support.h"
#include "cameras.h"
#include "committed_gun.h"
#include "frame.h"
#include "gl_window.h"
#include "keyboard.h"
#include "menu.h"
#include "scene_objects.h"
#include "startup.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

namespace {

// Where the square shows: its window rectangle (lower left corner, size) and its depth.
struct SquareOnScreen {
    double left = 0, bottom = 0, width = 0, height = 0;
    double depth = 0;

    int firstColumn() const { return static_cast<int>(std::lround(left)); }
    int firstRow() const { return static_cast<int>(std::lround(bottom)); }
    int columns() const { return static_cast<int>(std::lround(width)); }
    int rows() const { return static_cast<int>(std::lround(height)); }
};

// The square's pixels, row by row from the bottom, that the frame leaves in view.
using Mask = std::vector<bool>;

class FiringView : public testing::Test {
protected:
    static void SetUpTestSuite() {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(committed("."));
        initGraphics();
        onReshape(640, 480);
        onMenu(menuFiringPosition2);
        drawFrame(); // reads the gun
    }
    static void TearDownTestSuite() { std::filesystem::current_path(previous); }

    void SetUp() override {
        onMenu(menuReset);
        onMenu(menuFiringPosition2);
        shotgun.explosion.frame = 0;
        shotgun.explosion.playing = false;
    }

    static void drawFrame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        drawScene();
        glPopMatrix();
    }

    // A scene point as the firing view projects it: window x, y and depth.
    static std::array<double, 3> project(double x, double y, double z) {
        GLdouble modelview[16];
        GLdouble projection[16];
        GLint viewport[4];
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        firingCamera();
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glPopMatrix();
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        std::array<double, 3> window{};
        gluProject(x, y, z, modelview, projection, viewport, &window[0], &window[1], &window[2]);
        return window;
    }

    static SquareOnScreen squareOnScreen() {
        const Explosion& e = shotgun.explosion;
        const auto low = project(e.x - 0.5, e.y - 0.5, e.z);
        const auto high = project(e.x + 0.5, e.y + 0.5, e.z);
        return {low[0], low[1], high[0] - low[0], high[1] - low[1], project(e.x, e.y, e.z)[2]};
    }

    // The square's pixels where the drawn frame holds nothing nearer than the square.
    static Mask visibleOfSquare(const SquareOnScreen& square) {
        std::vector<float> depths(static_cast<std::size_t>(square.columns() * square.rows()));
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(square.firstColumn(), square.firstRow(), square.columns(), square.rows(),
                     GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        Mask visible;
        for (const float d : depths) {
            visible.push_back(d > square.depth);
        }
        return visible;
    }

    static std::filesystem::path previous;
};

std::filesystem::path FiringView::previous;

double luminance(const unsigned char* p) {
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

// The light of the picture's pixel at (s, t), both from 0 to 1 across it.
double lightAt(const BmpImage& picture, double s, double t) {
    const auto pixel = [](double at, std::uint32_t size) {
        return std::clamp(static_cast<int>(at * size), 0, static_cast<int>(size) - 1);
    };
    return luminance(pixelAt(picture, pixel(s, picture.width), pixel(t, picture.height)));
}

// The share of a picture's light that falls on the visible pixels of the square it covers.
double visibleShareOfLight(const BmpImage& picture, const SquareOnScreen& square,
                           const Mask& visible) {
    double all = 0;
    double shown = 0;
    for (int row = 0; row < square.rows(); ++row) {
        for (int column = 0; column < square.columns(); ++column) {
            const double s = (square.firstColumn() + column + 0.5 - square.left) / square.width;
            const double t = (square.firstRow() + row + 0.5 - square.bottom) / square.height;
            const double light = lightAt(picture, s, t);
            all += light;
            if (visible[static_cast<std::size_t>(row * square.columns() + column)]) {
                shown += light;
            }
        }
    }
    return all > 0 ? shown / all : 0;
}

TEST_F(FiringView, TheSquareShowsAboveAndAroundTheMuzzles) {
    drawFrame();
    const SquareOnScreen square = squareOnScreen();
    ASSERT_GT(square.columns(), 40);
    ASSERT_EQ(square.columns(), square.rows());
    const Mask visible = visibleOfSquare(square);
    const auto shown = std::count(visible.begin(), visible.end(), true);
    EXPECT_GT(static_cast<double>(shown), 0.6 * static_cast<double>(visible.size()))
        << shown << " of " << visible.size() << " pixels of the square show";
    // Nothing of the gun rises into the square's upper half.
    const auto upper =
        visible.begin() + static_cast<std::ptrdiff_t>(visible.size() / 2 + visible.size() % 2);
    EXPECT_EQ(std::count(upper, visible.end(), false), 0)
        << "the gun hides part of the square's upper half";
}

TEST_F(FiringView, EveryPictureShowsMostOfItsFireball) {
    drawFrame();
    const SquareOnScreen square = squareOnScreen();
    const Mask visible = visibleOfSquare(square);
    for (int n = 1; n <= 10; ++n) {
        const auto picture = readCommittedPicture("textury/Explode" + std::to_string(n) + ".bmp");
        ASSERT_NE(picture, nullptr);
        EXPECT_GT(visibleShareOfLight(*picture, square, visible), 0.7) << "picture " << n;
    }
}

TEST_F(FiringView, TheFlashBurstsFromTheMuzzles) {
    // The muzzles as the program places the gun: fitted into the cube, turned half round about
    // y, scaled by 3 and moved to (0, 4.5, 8).
    const ModelPtr model = readCommittedGun();
    ASSERT_NE(model, nullptr);
    glmFitUnitCube(model.get());
    const Vec3 fitted = muzzlesOf(*model);
    const Vec3 muzzles{-3 * fitted.x, 3 * fitted.y + 4.5, 8 - 3 * fitted.z};
    const Explosion& e = shotgun.explosion;
    EXPECT_NEAR(muzzles.z, e.z, 0.05) << "the square does not stand at the muzzles";

    // In the first picture the muzzles lie inside the flash.
    const auto first = readCommittedPicture("textury/Explode1.bmp");
    ASSERT_NE(first, nullptr);
    EXPECT_GT(lightAt(*first, muzzles.x - e.x + 0.5, muzzles.y - e.y + 0.5), 128)
        << "the flash is not at the muzzles";

    // And in the program's frame, the view just above the muzzles lights up.
    const Vec3 above = muzzles + Vec3{0, 0.15, 0};
    const auto window = project(above.x, above.y, e.z);
    const int column = static_cast<int>(window[0]);
    const int row = static_cast<int>(window[1]);
    drawFrame();
    const Rgb before = readPixel(column, row);
    onKeyboard('1', 0, 0);
    drawFrame();
    const Rgb after = readPixel(column, row);
    EXPECT_GT(after.r + after.g + after.b, before.r + before.g + before.b + 90)
        << "no flash above the muzzles";
}

} // namespace
