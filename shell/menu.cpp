#include "menu.h"

#include "app_state.h"
#include "arrow_keys.h"
#include "cameras.h"
#include "scene_objects.h"
#include "shooting.h"

#include <GL/glut.h>
#include <cstdlib>

void createMenu() {
    glutCreateMenu(onMenu);
    glutAddMenuEntry("Prochazeni sceny", menuWalkThrough);
    glutAddMenuEntry("Panoramaticky pohled", menuPanorama);
    glutAddMenuEntry("Palebne stanoviste 1", menuFiringPosition1);
    glutAddMenuEntry("Palebne stanoviste 2", menuFiringPosition2);
    glutAddMenuEntry("Palebne stanoviste 3", menuFiringPosition3);
    glutAddMenuEntry("Restart nastaveni", menuReset);
    glutAddMenuEntry("Konec programu", menuQuit);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
}

namespace {

void enterWalkThrough() {
    activeCamera = walkCamera;
    glutSpecialFunc(onWalkKey);
    walkPosition[0] = 0;
    walkPosition[1] = 5;
    walkPosition[2] = 0;
    walkDirection[0] = 0;
    walkDirection[1] = 0;
    walkDirection[2] = -1;
    walkYaw = -90; // looking along -z, the way the firing positions look
    shotgun.hide();
}

void enterPanorama() {
    activeCamera = panoramicCamera;
    panoramaAngle = 0;
    shotgun.hide();
}

// The spot light moves with the viewer; the aim goes back to the middle of the booth.
void enterFiringPosition(double x) {
    activeCamera = firingCamera;
    glutSpecialFunc(onAimKey);
    firingX = x;
    spotPosition[0] = static_cast<float>(x);
    aimPoint[0] = static_cast<float>(x);
    aimPoint[1] = static_cast<float>(firingEyeHeight);
    takeGunTo(x);
}

void resetSettings() {
    spotDirection[2] = spotStartTilt;
    spotCutoff = spotStartCutoff;
    panoramaAngle = 0;
    overheadLightOn = true;
    spotLightOn = false;
    clearHitCounters();
    reloadShotgun();
}

} // namespace

void onMenu(int value) {
    switch (value) {
    case menuWalkThrough:
        enterWalkThrough();
        break;
    case menuPanorama:
        enterPanorama();
        break;
    case menuFiringPosition1:
        enterFiringPosition(40);
        break;
    case menuFiringPosition2:
        enterFiringPosition(0);
        break;
    case menuFiringPosition3:
        enterFiringPosition(-40);
        break;
    case menuReset:
        resetSettings();
        break;
    case menuQuit:
        std::exit(0);
    default:
        break;
    }
    glutPostRedisplay();
}
