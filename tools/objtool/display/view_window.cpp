// GLUT's callbacks only change the viewer's state and ask for a frame; the frame is the
// picture that render draws for the same settings (model_picture.h).
//
// Keys: "f" and "s" flat and smooth shading, "m" the materials, "w" the wireframe, "[" and
// "]" a smoothing angle 15 degrees narrower or wider (new vertex normals), "r" the start's
// turn and zoom, Escape or "q" quits. The left button drags to turn the model like a
// trackball; the wheel and page up and down zoom.
#include "view_window.h"

#include "model_picture.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr float kZoomStep = 1.1f;
constexpr float kLeastZoom = 0.2f;
constexpr float kMostZoom = 50.0f;
constexpr float kAngleStep = 15.0f;
constexpr int kEscape = 27;
// Without a wheel callback freeglut reports the wheel as buttons 3 (up) and 4 (down).
constexpr int kWheelUp = 3;
constexpr int kWheelDown = 4;

struct Viewer {
    ModelPicture* picture = nullptr;
    PictureView view;
    GLuint list = 0;
    bool dragging = false;
    int dragX = 0;
    int dragY = 0;
};

// GLUT's callbacks take no data of their own.
Viewer viewer;

// "model.obj: 12 triangles, 8 vertices; smooth (90 degrees), materials"
std::string title() {
    const ObjModel* model = viewer.picture->model;
    const PictureSettings& settings = viewer.view.settings;
    char angle[32];
    std::snprintf(angle, sizeof angle, "%g degrees", viewer.picture->smoothAngle);
    std::string text = viewer.picture->name + ": " + std::to_string(model->facecount) +
                       " triangles, " + std::to_string(model->vertexcount) + " vertices; ";
    if (settings.shading == Shading::Flat) {
        text += "flat";
    } else {
        text +=
            std::string("smooth (") + (viewer.picture->fileNormals ? "file normals" : angle) + ")";
    }
    if (model->materialtable == nullptr) {
        text += ", no materials";
    } else {
        text += settings.materials ? ", materials" : ", plain";
    }
    return settings.wireframe ? text + ", wireframe" : text;
}

void redraw() {
    glutSetWindowTitle(title().c_str());
    glutPostRedisplay();
}

// The shading, the materials or the normals changed: the list is made anew.
void remakeList() {
    if (viewer.list != 0) {
        glDeleteLists(viewer.list, 1);
    }
    viewer.list = makeModelList(viewer.picture->model, viewer.view.settings);
    redraw();
}

void zoom(float factor) {
    viewer.view.zoom = std::clamp(viewer.view.zoom * factor, kLeastZoom, kMostZoom);
    glutPostRedisplay();
}

void changeSmoothing(float step) {
    ModelPicture* picture = viewer.picture;
    if (picture->model->facecount == 0) {
        return;
    }
    picture->smoothAngle = std::clamp(picture->smoothAngle + step, 0.0f, 180.0f);
    picture->fileNormals = false;
    glmVertexNormals(picture->model, picture->smoothAngle);
    remakeList();
}

// A drag across the window's narrower side turns the model half round, about the axis in the
// screen's plane at right angles to the drag.
void turn(int dx, int dy) {
    const PictureSettings& settings = viewer.view.settings;
    const float degrees = 180.0f * std::hypot(float(dx), float(dy)) /
                          float(std::min(settings.width, settings.height));
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(degrees, float(dy), float(dx), 0.0f);
    glMultMatrixf(viewer.view.turns);
    glGetFloatv(GL_MODELVIEW_MATRIX, viewer.view.turns);
    glPopMatrix();
    glutPostRedisplay();
}

void onDisplay() {
    drawModelPicture(*viewer.picture, viewer.list, viewer.view);
    glutSwapBuffers();
}

void onReshape(int width, int height) {
    viewer.view.settings.width = std::max(width, 1);
    viewer.view.settings.height = std::max(height, 1);
}

void onKeyboard(unsigned char key, int, int) {
    PictureSettings& settings = viewer.view.settings;
    switch (std::tolower(key)) {
    case kEscape:
    case 'q':
        glutLeaveMainLoop();
        break;
    case 'f':
    case 's':
        settings.shading = std::tolower(key) == 'f' ? Shading::Flat : Shading::Smooth;
        remakeList();
        break;
    case 'm':
        settings.materials = !settings.materials;
        remakeList();
        break;
    case 'w':
        settings.wireframe = !settings.wireframe;
        redraw();
        break;
    case '[':
    case ']':
        changeSmoothing(key == '[' ? -kAngleStep : kAngleStep);
        break;
    case 'r':
        // The trackball's turns and the zoom are the view's own; the settings keep the start's
        // yaw and pitch.
        viewer.view = PictureView{settings};
        glutPostRedisplay();
        break;
    default:
        break;
    }
}

void onSpecial(int key, int, int) {
    if (key == GLUT_KEY_PAGE_UP || key == GLUT_KEY_PAGE_DOWN) {
        zoom(key == GLUT_KEY_PAGE_UP ? kZoomStep : 1.0f / kZoomStep);
    }
}

void onMouse(int button, int state, int x, int y) {
    if (button == GLUT_LEFT_BUTTON) {
        viewer.dragging = state == GLUT_DOWN;
        viewer.dragX = x;
        viewer.dragY = y;
    } else if (state == GLUT_DOWN && (button == kWheelUp || button == kWheelDown)) {
        zoom(button == kWheelUp ? kZoomStep : 1.0f / kZoomStep);
    }
}

void onMotion(int x, int y) {
    if (viewer.dragging && (x != viewer.dragX || y != viewer.dragY)) {
        turn(x - viewer.dragX, y - viewer.dragY);
        viewer.dragX = x;
        viewer.dragY = y;
    }
}

} // namespace

bool viewPicture(ModelPicture* picture, const PictureSettings& settings, std::string* error) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        *error = "no display to open a window on (DISPLAY is not set); render draws without one";
        return false;
    }
    viewer = Viewer{picture, PictureView{settings}};
    char name[] = "objtool";
    char* argv[] = {name, nullptr};
    int argc = 1;
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(settings.width, settings.height);
    glutCreateWindow(title().c_str());
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecial);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    setUpPictureState();
    remakeList();
    glutMainLoop();
    viewer = Viewer{};
    return true;
}
