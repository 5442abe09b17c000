// A fixture for drawing gallery objects on the shared window: each test starts from a plain
// state (no lighting, depth test or fog) looking straight along -z at an 8 x 6 window of the
// x-y plane, 80 pixels per unit, and every GL change it makes is undone afterwards.
#pragma once

#include "gl_window.h"

#include <GL/gl.h>

#include <gtest/gtest.h>
#include <vector>

class FrontViewTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts the scene point (x, y) at the middle of the window.
    void centreOn(float x, float y);

    // Fills the colour buffer and clears the depth buffer.
    void clearTo(float r, float g, float b);

    // The pixel where the scene point (x, y) shows.
    Rgb pixelAt(float x, float y) const;

    // Window pixel coordinates of the scene point (x, y).
    int columnOf(float x) const;
    int rowOf(float y) const;

    // Reads the whole back buffer, rows from the bottom.
    static std::vector<Rgb> readWindow();

    static constexpr int width = 640;
    static constexpr int height = 480;
    static constexpr int pixelsPerUnit = 80;

private:
    float centreX = 0;
    float centreY = 0;
};

bool sameColour(Rgb a, Rgb b, int tolerance = 1);

#include <ostream>
inline std::ostream& operator<<(std::ostream& out, Rgb c) {
    return out << '(' << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ')';
}
