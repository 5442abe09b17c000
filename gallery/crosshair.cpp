#include "crosshair.h"

#include "gl_state.h"

#include <GL/gl.h>

namespace {

// Each bar is 0.1 wide and 0.6 long.
constexpr float halfWidth = 0.05f;
constexpr float halfLength = 0.3f;

void drawBar(double x, double y, double z, float halfX, float halfY) {
    glPushMatrix();
    glTranslated(x, y, z);
    glBegin(GL_POLYGON);
    glVertex3d(-halfX, halfY, 0);
    glVertex3d(-halfX, -halfY, 0);
    glVertex3d(halfX, -halfY, 0);
    glVertex3d(halfX, halfY, 0);
    glEnd();
    glPopMatrix();
}

} // namespace

void Crosshair::setPosition(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
}

void Crosshair::draw() const {
    const SavedAttributes saved(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    drawBar(x, y, z, halfWidth, halfLength);
    drawBar(x, y, z, halfLength, halfWidth);
}
