// One buildLists of the booth set, and frames of the three booths drawn as the program's frame
// draws them (640 x 480, light 0 from above, linear fog), in the firing and the panoramic view.
// The clock is read after glFinish. Needs a display, for example:
//   LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -s "-screen 0 1280x1024x24"
//   build-bench/bench/booths/bench_booths
// The heap is set up as the program sets it (keepFrameMemory); --untuned-heap leaves glibc's
// defaults, to measure what that setting is worth. Each run reports the resident memory after it.
#include "booth_set.h"
#include "frame_memory.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/resource.h>

namespace {

BoothSet boothSet;

constexpr float lightAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
constexpr float lightDiffuse[4] = {1, 1, 1, 1};
constexpr float lightSpecular[4] = {0.5f, 0.5f, 0.5f, 1};
constexpr float overheadLightPosition[4] = {0, 60, 0, 0};
constexpr float fogColor[4] = {1, 1, 1, 1};

void drawNothing() {}

void setUpScene() {
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90, 640.0 / 480.0, 0.1, 180);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogf(GL_FOG_START, 5);
    glFogf(GL_FOG_END, 170);
}

void firingView() {
    gluLookAt(0, 5.5, 8, 0, 5.5, 7.5, 0, 1, 0);
}
void panoramicView() {
    gluLookAt(13, 15, 13, 0, 0, 0, 0, 1, 0);
}

void drawFrame(void (*camera)()) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    camera();
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, overheadLightPosition);
    drawBooths(boothSet);
    glDisable(GL_LIGHT0);
    glPopMatrix();
    glutSwapBuffers();
}

// Resident memory of the process in MB.
double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096 / 1e6;
}

// Page faults and processor time of the whole process so far, every thread included.
struct Usage {
    double faults, userMs, systemMs, peakResidentMb;

    static Usage now() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
        return {static_cast<double>(usage.ru_minflt + usage.ru_majflt), ms(usage.ru_utime),
                ms(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1e3};
    }
};

// Frames with the clock read after glFinish; the rate is frames per second of wall time.
void timeFrames(benchmark::State& state, void (*camera)()) {
    for (int i = 0; i < 10; ++i) { // warm-up: the lists are built in the first frame
        drawFrame(camera);
    }
    glFinish();
    const Usage before = Usage::now();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        drawFrame(camera);
        glFinish();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    const auto frames = static_cast<double>(state.iterations());
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    const Usage after = Usage::now();
    state.counters["faults_per_frame"] = (after.faults - before.faults) / frames;
    state.counters["user_ms_per_frame"] = (after.userMs - before.userMs) / frames;
    state.counters["system_ms_per_frame"] = (after.systemMs - before.systemMs) / frames;
    state.counters["rss_MB"] = residentMegabytes();
    state.counters["peak_rss_MB"] = after.peakResidentMb;
}

void firingViewFrame(benchmark::State& state) {
    timeFrames(state, firingView);
}
void panoramicViewFrame(benchmark::State& state) {
    timeFrames(state, panoramicView);
}

// A rebuild of the eight lists (54,400 wall quads); the first build happens in the warm-up.
void buildLists(benchmark::State& state) {
    boothSet.buildLists();
    glFinish();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        boothSet.buildLists();
        glFinish();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["rss_MB"] = residentMegabytes();
}

BENCHMARK(firingViewFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(5);
BENCHMARK(panoramicViewFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(5);
BENCHMARK(buildLists)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

// Takes --untuned-heap out of the arguments; whether it was there.
bool takeUntunedHeapFlag(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--untuned-heap") == 0) {
            for (int k = i; k < argc; ++k) {
                argv[k] = argv[k + 1];
            }
            --argc;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const bool untuned = takeUntunedHeapFlag(argc, argv);
    if (!untuned && !keepFrameMemory()) {
        std::printf("the heap settings were refused\n");
    }
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    glutInit(&argc, argv);
    glutInitWindowSize(640, 480);
    glutInitWindowPosition(10, 10);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("bench_booths");
    glutDisplayFunc(drawNothing);
    glutMainLoopEvent(); // map the window
    setUpScene();
    std::printf("renderer: %s; heap: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                untuned ? "glibc defaults" : "keepFrameMemory");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
