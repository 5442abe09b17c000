#include "arrow_keys.h"

#include "app_state.h"

#include <GL/glut.h>

namespace {

// The sum is formed in double and stored back as a float, with no bound.
void moveAim(int axis, double step) {
    aimPoint[axis] = static_cast<float>(aimPoint[axis] + step);
}

void stepAlongDirection(double sign) {
    for (int i = 0; i < 3; ++i) {
        walkPosition[i] += sign * 0.4 * walkDirection[i];
    }
}

} // namespace

void onAimKey(int key, int, int) {
    switch (key) {
    case GLUT_KEY_LEFT:
        moveAim(0, -0.1);
        break;
    case GLUT_KEY_UP:
        moveAim(1, 0.1);
        break;
    case GLUT_KEY_RIGHT:
        moveAim(0, 0.1);
        break;
    case GLUT_KEY_DOWN:
        moveAim(1, -0.1);
        break;
    default:
        return;
    }
    glutPostRedisplay();
}

void onWalkKey(int key, int, int) {
    switch (key) {
    case GLUT_KEY_LEFT:
        walkYaw -= 2;
        if (walkYaw < -360) {
            walkYaw += 360;
        }
        break;
    case GLUT_KEY_RIGHT:
        walkYaw += 2;
        if (walkYaw > 360) {
            walkYaw -= 360;
        }
        break;
    case GLUT_KEY_UP:
        stepAlongDirection(1);
        break;
    case GLUT_KEY_DOWN:
        stepAlongDirection(-1);
        break;
    case GLUT_KEY_PAGE_UP:
        walkPosition[1] += 0.4;
        break;
    case GLUT_KEY_PAGE_DOWN:
        walkPosition[1] -= 0.4;
        break;
    default:
        return;
    }
    glutPostRedisplay();
}
