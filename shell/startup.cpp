#include "startup.h"

#include "app_state.h"
#include "arrow_keys.h"
#include "cameras.h"
#include "frame.h"
#include "idle.h"
#include "keyboard.h"
#include "menu.h"
#include "scene_objects.h"

#include <GL/glut.h>

namespace {

constexpr float lightAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
constexpr float lightDiffuse[4] = {1, 1, 1, 1};
constexpr float lightSpecular[4] = {0.5f, 0.5f, 0.5f, 1};
constexpr float fogColor[4] = {1, 1, 1, 1};

void setLightColours(GLenum light) {
    glLightfv(light, GL_AMBIENT, lightAmbient);
    glLightfv(light, GL_DIFFUSE, lightDiffuse);
    glLightfv(light, GL_SPECULAR, lightSpecular);
}

// Hidden until a firing position is chosen; turned to face the targets.
void setUpShotgun() {
    shotgun.setHeading(180);
    shotgun.setPosition(0, gunHeight, gunDepth);
    shotgun.setScale(3);
    shotgun.hide();
}

void loadTargetPictures() {
    rabbit.loadTexture("textury/kralik.bmp");
    gopher.loadTexture("textury/sysel.bmp");
    paperTarget.loadTexture("textury/terc.bmp");
}

void setAnimationStart() {
    rabbitStep = -0.3f;
    rabbitX = 36.5f;
    gopherStep = 0.3f;
    gopherHole = 1;
    gopherX = -36.5f;
    gopherY = gopherStartY;
}

} // namespace

void openWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitWindowSize(640, 480);
    glutInitWindowPosition(10, 10);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Hlavni okno");
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    // The walk-through keys are registered although the first view is the panorama.
    glutSpecialFunc(onWalkKey);
    glutIdleFunc(onIdle);
    createMenu();
}

void initGraphics() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_FILL);
    glCullFace(GL_BACK); // culling itself stays off: both sides of every polygon are drawn

    aimPoint[0] = 0;
    aimPoint[1] = 6;
    aimPoint[2] = -2;

    setUpShotgun();
    skyCube.loadTextures();
    loadExplosionTextures(shotgun.explosion.textures);
    loadTargetPictures();

    activeCamera = panoramicCamera;
    setAnimationStart();

    glEnable(GL_LIGHTING);
    setLightColours(GL_LIGHT0);
    glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 1);
    setLightColours(GL_LIGHT1);

    // Linear fog: the density is set although linear fog does not use it.
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogf(GL_FOG_DENSITY, 0.5f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, 5);
    glFogf(GL_FOG_END, 170);
}
