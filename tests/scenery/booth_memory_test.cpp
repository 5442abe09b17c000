// The booth lists are compiled once: drawing them frame after frame must not grow the process.
// (Recompiling them in every draw, as a booth set once did, grows it by about 16 kB a draw.)
#include "booth_set.h"

#include <GL/gl.h>
#include <fstream>
#include <gtest/gtest.h>

namespace {

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096 / 1e6;
}

// The booths as the frame places them, but far behind the viewer: every vertex still goes
// through the pipeline, no pixel is filled, so thousands of frames take seconds.
void drawFrameOutOfSight(BoothSet& set) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0, 0, 1000);
    drawBooths(set);
    glFinish();
}

TEST(BoothSetMemory, StaysFlatOverThousandsOfFramesSlow) {
    BoothSet set;
    for (int frame = 0; frame < 100; ++frame) { // the driver's own buffers settle first
        drawFrameOutOfSight(set);
    }
    const double before = residentMegabytes();
    constexpr int frames = 2000;
    for (int frame = 0; frame < frames; ++frame) {
        drawFrameOutOfSight(set);
    }
    const double growth = residentMegabytes() - before;
    // Three rebuilds a frame would add about 96 MB here.
    EXPECT_LT(growth, 4.0) << "MB over " << frames << " frames";
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace
