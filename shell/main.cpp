#include "data_folder.h"
#include "frame_memory.h"
#include "startup.h"

#include <GL/glut.h>

int main(int argc, char** argv) {
    enterDataFolder();
    keepFrameMemory();
    openWindow(&argc, argv);
    initGraphics();
    glutMainLoop();
}
