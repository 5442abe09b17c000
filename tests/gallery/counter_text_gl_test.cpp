// The counters in stroke text on the real GL and the real GLUT font: the text written, where
// it stands and that its strokes come out black.
#include "counter_text.h"
#include "front_view.h"
#include "picture_folder.h"
#include "shotgun.h"
#include "target.h"

#include <GL/freeglut.h>
#include <climits>
#include <functional>
#include <string>

namespace {

// How far the text moves the origin along x, in font units.
float advanceOf(const std::string& text) {
    return glutStrokeLengthf(GLUT_STROKE_ROMAN,
                             reinterpret_cast<const unsigned char*>(text.c_str()));
}

class CounterTextTest : public FrontViewTest {
protected:
    void expectBlackTextAt(const std::function<void()>& draw, float x, const std::string& text);
};

TEST_F(CounterTextTest, WritesThePrintedTextAndMovesTheOriginPastIt) {
    const std::string longText(200, 'x');
    struct Case {
        std::string format;
        std::int32_t value;
        std::string written;
    };
    for (const Case& c :
         {Case{"Pocet zasahu: %d", 0, "Pocet zasahu: 0"},
          Case{"Pocet naboju: %d", -5, "Pocet naboju: -5"}, Case{"%d", INT_MIN, "-2147483648"},
          Case{longText + "%d", 7, longText.substr(0, 127)}}) {
        glLoadIdentity();
        drawCounterText(c.format.c_str(), c.value);
        float matrix[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
        EXPECT_NEAR(matrix[12], advanceOf(c.written), 0.01) << c.written;
        EXPECT_EQ(matrix[13], 0) << c.written;
    }
}

// Draws a counter onto white, under a lit white colour, and checks that everything it drew is
// black and lies on the line from (x, 8) as long as the text.
void CounterTextTest::expectBlackTextAt(const std::function<void()>& draw, float x,
                                        const std::string& text) {
    const float length = advanceOf(text) * 0.002f;
    const float fromFront[4] = {0, 0, 1, 0};
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, fromFront);
    glColor3f(1, 0, 0);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    const std::vector<Rgb> pixels = readWindow();
    int black = 0;
    int left = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MAX;
    int top = INT_MIN;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const Rgb pixel = pixels[row * width + column];
            if (sameColour(pixel, {255, 255, 255}, 0)) {
                continue;
            }
            ASSERT_TRUE(sameColour(pixel, {0, 0, 0}, 0)) << pixel;
            ++black;
            left = std::min(left, column);
            right = std::max(right, column);
            bottom = std::min(bottom, row);
            top = std::max(top, row);
        }
    }
    ASSERT_GT(black, 100) << text;
    EXPECT_GE(left, columnOf(x) - 1);
    EXPECT_LE(left, columnOf(x + 0.1f));
    EXPECT_GE(right, columnOf(x + length - 0.1f));
    EXPECT_LE(right, columnOf(x + length) + 1);
    EXPECT_GE(bottom, rowOf(8 - 0.07f));
    EXPECT_LE(top, rowOf(8 + 0.25f));
}

TEST_F(CounterTextTest, ATargetsCounterStandsAtItsLabelInBlack) {
    Target paper(1);
    paper.hits = 12345;
    paper.setPosition(1, -20, 0); // the board out of sight
    centreOn(3, 8);
    expectBlackTextAt([&] { paper.draw(); }, 1, "Pocet zasahu: 12345");
}

TEST_F(CounterTextTest, TheCartridgeCounterStandsAboveAndLeftOfTheGunInBlack) {
    PictureFolder folder;
    ASSERT_TRUE(folder.addGunModel(PictureFolder::GunModel::edgeOn));
    const WorkingDirectory inFolder(folder.path());
    Shotgun gun;
    gun.setPosition(40, 4.5f, 8);
    gun.cartridges = 3;
    centreOn(38, 8);
    expectBlackTextAt([&] { gun.draw(); }, 36, "Pocet naboju: 3");
}

TEST_F(CounterTextTest, AHiddenGunShowsNoCounter) {
    Shotgun gun;
    gun.setPosition(4, 4.5f, 8);
    gun.hide();
    centreOn(2, 8);
    clearTo(1, 1, 1);
    gun.draw();
    for (const Rgb pixel : readWindow()) {
        ASSERT_TRUE(sameColour(pixel, {255, 255, 255}, 0)) << pixel;
    }
}

} // namespace
