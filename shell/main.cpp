#include "command_line.h"
#include "data_folder.h"
#include "frame_memory.h"
#include "startup.h"

#include <GL/glut.h>

int main(int argc, char** argv) {
    if (const auto status = answerCommandLine(argc, argv)) {
        return *status;
    }
    if (!enterDataFolder()) {
        return 1;
    }
    keepFrameMemory();
    openWindow(&argc, argv);
    initGraphics();
    glutMainLoop();
}
