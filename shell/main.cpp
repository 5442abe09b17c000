#include "startup.h"

#include <GL/glut.h>

int main(int argc, char** argv) {
    openWindow(&argc, argv);
    initGraphics();
    glutMainLoop();
}
