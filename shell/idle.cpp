#include "idle.h"

#include "app_state.h"

#include <GL/glut.h>

namespace {

void turnPanorama() {
    panoramaAngle += 0.5;
    if (panoramaAngle > 360) {
        panoramaAngle -= 360;
    }
}

// The rabbit runs between 36.5 and 43.7 in the right booth.
void runRabbit() {
    rabbitX += rabbitStep;
    if (rabbitX <= 36.5f) {
        rabbitStep = 0.3f;
    }
    if (rabbitX >= 43.5f) {
        rabbitStep = -0.3f;
    }
}

// The gopher rises and sinks between 0.8 and 4.4 and changes hole at its lowest point.
void moveGopher() {
    gopherY += gopherStep;
    if (gopherY <= 0.9999998092651365) {
        gopherStep = 0.3f;
        gopherHole += 1;
    }
    if (gopherY >= 4.2f) {
        gopherStep = -0.3f;
    }
    switch (gopherHole) {
    case 1:
        gopherX = -36.5f;
        break;
    case 2:
        gopherX = -40;
        break;
    case 3:
        gopherX = -43.5f;
        break;
    default:
        gopherX = -36.5f;
        gopherHole = 1;
        break;
    }
}

} // namespace

void onIdle() {
    turnPanorama();
    runRabbit();
    moveGopher();
    glutPostRedisplay();
}
