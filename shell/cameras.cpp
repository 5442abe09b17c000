#include "cameras.h"

#include "app_state.h"

#include <GL/glu.h>
#include <cmath>

void firingCamera() {
    gluLookAt(firingX, firingEyeHeight, 8, firingX, firingEyeHeight, 7.5, 0, 1, 0);
}

void panoramicCamera() {
    gluLookAt(13, 15, 13, 0, 0, 0, 0, 1, 0);
    glRotatef(static_cast<float>(panoramaAngle), 0, 1, 0);
}

void walkCamera() {
    const double a = walkYaw * 0.017453292519943295;
    walkDirection[0] = std::cos(a);
    walkDirection[1] = 0;
    walkDirection[2] = std::sin(a);
    const double eyeY = walkPosition[1] + 0.5;
    gluLookAt(walkPosition[0], eyeY, walkPosition[2], walkPosition[0] + walkDirection[0], eyeY,
              walkPosition[2] + walkDirection[2], 0, 1, 0);
}

void onReshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window dragged flat has no height; nothing can be seen then, so the aspect is taken
    // with a height of 1 rather than dividing by zero.
    const double aspect = static_cast<double>(width) / (height > 0 ? height : 1);
    gluPerspective(90, aspect, 0.1, 180);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
