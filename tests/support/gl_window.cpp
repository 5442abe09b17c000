#include "gl_window.h"

#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <link.h>
#include <string>
#include <unistd.h>

namespace {

void useFixtureDisplay() {
    std::ifstream in(GALLERY_DISPLAY_FILE);
    std::string display;
    if (in >> display) {
        setenv("DISPLAY", display.c_str(), 1);
    }
}

void drawNothing() {}

// The GL driver is unloaded at exit before the leak check runs, which leaves its allocations
// with unknown frames that no suppression can match. Keeping every loaded driver module
// resident lets the check name them.
int keepDriverLoaded(dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "/dri/") != nullptr) {
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

} // namespace

namespace {
int window = 0;
}

void ensureGlWindow() {
    if (window != 0) {
        glutSetWindow(window);
        return;
    }
    useFixtureDisplay();
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    int argc = 1;
    char name[] = "gl-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitWindowSize(640, 480);
    // Test processes share the display; each takes one of many places on the large screen, so
    // that windows of parallel tests rarely cover each other.
    const int slot = static_cast<int>(getpid() % 48);
    glutInitWindowPosition(10 + (slot % 6) * 650, 10 + (slot / 6) * 500);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    window = glutCreateWindow("gl-test");
    glutDisplayFunc(drawNothing);
    dl_iterate_phdr(keepDriverLoaded, nullptr);
    glutMainLoopEvent(); // map the window so that its size is settled
}

void closeGlWindow() {
    if (window != 0) {
        glutDestroyWindow(window);
        glutMainLoopEvent();
        window = 0;
    }
}

Rgb readPixel(int x, int y) {
    Rgb p{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &p);
    return p;
}
