#include "frame_memory.h"
#include "startup.h"

#include <GL/glut.h>

int main(int argc, char** argv) {
    keepFrameMemory();
    openWindow(&argc, argv);
    initGraphics();
    glutMainLoop();
}
