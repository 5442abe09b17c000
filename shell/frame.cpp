#include "frame.h"

#include "app_state.h"
#include "cameras.h"
#include "scene_objects.h"

#include <GL/glut.h>

namespace {

// Given every frame after the camera, so the lights stay fixed in the scene.
void placeLights() {
    if (overheadLightOn) {
        glEnable(GL_LIGHT0);
    }
    if (spotLightOn) {
        glEnable(GL_LIGHT1);
    }
    glLightfv(GL_LIGHT1, GL_POSITION, spotPosition);
    glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, spotDirection);
    glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, spotCutoff);
    glLightfv(GL_LIGHT0, GL_POSITION, overheadLightPosition);
}

void drawTargets() {
    rabbit.setPosition(rabbitX, boardY, targetDepth);
    rabbit.draw();
    gopher.setPosition(gopherX, gopherY, targetDepth);
    gopher.draw();
    for (const float boardX : paperBoardX) {
        paperTarget.setPosition(boardX, boardY, targetDepth);
        paperTarget.draw();
    }
}

} // namespace

void drawScene() {
    activeCamera();
    const bool firingView = activeCamera != panoramicCamera && activeCamera != walkCamera;
    if (firingView) {
        // Drawn first, while both lights are still off.
        crosshair.setPosition(aimPoint[0], aimPoint[1], aimPoint[2]);
        crosshair.draw();
    }
    placeLights();
    skyCube.draw();
    drawBooths(boothSet);
    drawTargets();
    shotgun.draw();
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
}

void onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    drawScene();
    glPopMatrix();
    glutSwapBuffers();
}
