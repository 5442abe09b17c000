// Frames of the real scene in each view at 640 x 480, timed with glFinish before the clock is
// read. Run it from the repository root (the scene reads textury/ and modely/) on a display,
// for example: xvfb-run -s "-screen 0 1280x1024x24" build-bench/bench/frame/bench_frame
#include "app_state.h"
#include "cameras.h"
#include "frame.h"
#include "frame_memory.h"
#include "menu.h"
#include "startup.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

void drawFrames(benchmark::State& state, int menuEntry) {
    onMenu(menuEntry);
    for (int i = 0; i < 10; ++i) { // warm-up: lists, textures and the gun model are made now
        onDisplay();
    }
    glFinish();
    for (auto _ : state) {
        onDisplay();
        glFinish();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void panoramicView(benchmark::State& state) {
    drawFrames(state, menuPanorama);
}
void walkThroughView(benchmark::State& state) {
    drawFrames(state, menuWalkThrough);
}
void firingView(benchmark::State& state) {
    drawFrames(state, menuFiringPosition2);
}

BENCHMARK(panoramicView)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(walkThroughView)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(firingView)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    keepFrameMemory(); // as the program does
    openWindow(&argc, argv);
    initGraphics();
    onReshape(640, 480);
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
