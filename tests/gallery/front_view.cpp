#include "front_view.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>

void FrontViewTest::SetUp() {
    ensureGlWindow();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-4, 4, -3, 3, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glViewport(0, 0, width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glColor4f(1, 1, 1, 1);
    centreOn(0, 0);
}

void FrontViewTest::TearDown() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void FrontViewTest::centreOn(float x, float y) {
    centreX = x;
    centreY = y;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-x, -y, 0);
}

void FrontViewTest::clearTo(float r, float g, float b) {
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

int FrontViewTest::columnOf(float x) const {
    return static_cast<int>(std::floor(width / 2 + (x - centreX) * pixelsPerUnit));
}

int FrontViewTest::rowOf(float y) const {
    return static_cast<int>(std::floor(height / 2 + (y - centreY) * pixelsPerUnit));
}

Rgb FrontViewTest::pixelAt(float x, float y) const {
    return readPixel(columnOf(x), rowOf(y));
}

std::vector<Rgb> FrontViewTest::readWindow() {
    std::vector<Rgb> pixels(width * height);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool sameColour(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}
