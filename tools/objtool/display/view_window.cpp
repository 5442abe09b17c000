// GLUT's callbacks only change the viewer's state and ask for a frame; the display callback
// does the work that follows from the state (new vertex normals, a new display list, the
// title) and draws the picture that render draws for the same settings (model_picture.h).
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
#include <numbers>
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
    bool listStale = true;     // the shading, the materials or the normals changed
    bool normalsStale = false; // the smoothing angle changed
    std::string title;         // the window's title as last set
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

void remakeList() {
    viewer.listStale = true;
    glutPostRedisplay();
}

void zoom(float factor) {
    viewer.view.zoom = std::clamp(viewer.view.zoom * factor, kLeastZoom, kMostZoom);
    glutPostRedisplay();
}

void changeSmoothing(float step) {
    ModelPicture* picture = viewer.picture;
    picture->smoothAngle = std::clamp(picture->smoothAngle + step, 0.0f, 180.0f);
    picture->fileNormals = false;
    viewer.normalsStale = true;
    remakeList();
}

// A drag across the window's narrower side turns the model half round, about the axis in the
// screen's plane at right angles to the drag: that turn comes before the turns so far.
void turn(int dx, int dy) {
    const PictureSettings& settings = viewer.view.settings;
    const double angle =
        std::numbers::pi * std::hypot(dx, dy) / std::min(settings.width, settings.height);
    const double length = std::hypot(dx, dy);
    const double x = dy / length, y = dx / length; // the axis, z being 0
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    // Column-major, as OpenGL keeps matrices.
    const double rotation[9] = {x * x * t + c, x * y * t, -y * s, x * y * t, y * y * t + c,
                                x * s,         y * s,     -x * s, c};
    GLfloat* turns = viewer.view.turns;
    GLfloat product[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    for (int column = 0; column < 3; column++) {
        for (int row = 0; row < 3; row++) {
            double sum = 0.0;
            for (int k = 0; k < 3; k++) {
                sum += rotation[k * 3 + row] * turns[column * 4 + k];
            }
            product[column * 4 + row] = static_cast<GLfloat>(sum);
        }
    }
    std::copy(product, product + 16, turns);
    glutPostRedisplay();
}

void onDisplay() {
    if (viewer.normalsStale) {
        glmVertexNormals(viewer.picture->model, viewer.picture->smoothAngle);
        viewer.normalsStale = false;
    }
    if (viewer.listStale) {
        if (viewer.list != 0) {
            glDeleteLists(viewer.list, 1);
        }
        viewer.list = makeModelList(viewer.picture->model, viewer.view.settings);
        viewer.listStale = false;
    }
    if (const std::string now = title(); now != viewer.title) {
        glutSetWindowTitle(now.c_str());
        viewer.title = now;
    }
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
        glutPostRedisplay();
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
    viewer = Viewer{};
    viewer.picture = picture;
    viewer.view = PictureView{settings};
    char name[] = "objtool";
    char* argv[] = {name, nullptr};
    int argc = 1;
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(settings.width, settings.height);
    viewer.title = title();
    glutCreateWindow(viewer.title.c_str());
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecial);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    setUpPictureState();
    glutMainLoop();
    viewer = Viewer{};
    return true;
}
