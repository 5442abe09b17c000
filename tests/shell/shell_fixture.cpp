#include "shell_fixture.h"

#include "app_state.h"
#include "arrow_keys.h"
#include "cameras.h"
#include "frame.h"
#include "menu.h"
#include "startup.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <unistd.h>

namespace {

int displayCalls = 0;

void countDisplay() {
    ++displayCalls;
}

void sendKeyEvent(Display* display, Window window, int type, unsigned long keysym) {
    XKeyEvent event{};
    event.type = type;
    event.display = display;
    event.window = window;
    event.root = DefaultRootWindow(display);
    event.time = CurrentTime;
    event.x = event.y = 1;
    event.same_screen = True;
    event.keycode = XKeysymToKeycode(display, keysym);
    XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
               reinterpret_cast<XEvent*>(&event));
}

} // namespace

void ShellTest::SetUp() {
    // The scene reads its pictures and model relative to the working directory.
    ASSERT_NE(getcwd(previousDirectory, sizeof previousDirectory), nullptr);
    ASSERT_EQ(chdir(GALLERY_SOURCE_DIR), 0);
    overheadLightOn = true;
    spotLightOn = false;
    spotPosition[0] = 0;
    spotDirection[2] = -4.5f;
    spotCutoff = 13;
    firingX = 0;
    walkYaw = 0;
    panoramaAngle = 0;
    for (int i = 0; i < 3; ++i) {
        walkPosition[i] = 0;
        walkDirection[i] = 0;
    }
    initGraphics();
    glutSpecialFunc(onWalkKey);
    glutDisplayFunc(countDisplay);
    onReshape(640, 480);
    processEvents();
}

void ShellTest::TearDown() {
    ASSERT_EQ(chdir(previousDirectory), 0);
}

int ShellTest::processEvents() {
    // GLUT draws only a window that is not covered; raise it above other tests' windows.
    Display* display = glXGetCurrentDisplay();
    XRaiseWindow(display, glXGetCurrentDrawable());
    XSync(display, False);
    displayCalls = 0;
    glutMainLoopEvent();
    return displayCalls;
}

void ShellTest::pressKey(unsigned long keysym) {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    sendKeyEvent(display, window, KeyPress, keysym);
    sendKeyEvent(display, window, KeyRelease, keysym);
    XSync(display, False);
    glutMainLoopEvent();
}

void ShellTest::drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    drawScene();
    glPopMatrix();
}
