// A probe preloaded into the real program (LD_PRELOAD) for the soak and memcheck runs: it
// counts the frames the program swaps and, every 100 frames, appends the count and the resident
// memory to the file named by $GALLERY_PROBE_FILE, so the driver knows how many frames were
// drawn without changing the program. It also passes on the program's heap settings (mallopt)
// and appends each, when $GALLERY_PROBE_HEAP_FILE names a file, as "parameter value result".
#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <malloc.h>

namespace {

long residentKilobytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return -1;
    }
    char line[256];
    long kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kilobytes = std::strtol(line + 6, nullptr, 10);
        }
    }
    std::fclose(status);
    return kilobytes;
}

long frames = 0;

const char* parameterName(int parameter) {
    switch (parameter) {
    case M_TRIM_THRESHOLD:
        return "trim_threshold";
    case M_MMAP_THRESHOLD:
        return "mmap_threshold";
    default:
        return "other";
    }
}

} // namespace

extern "C" int mallopt(int parameter, int value) {
    using Mallopt = int (*)(int, int);
    static const auto realMallopt = reinterpret_cast<Mallopt>(dlsym(RTLD_NEXT, "mallopt"));
    const int result = realMallopt(parameter, value);
    const char* path = std::getenv("GALLERY_PROBE_HEAP_FILE");
    if (path != nullptr) {
        if (std::FILE* out = std::fopen(path, "a")) {
            std::fprintf(out, "%s %d %d\n", parameterName(parameter), value, result);
            std::fclose(out);
        }
    }
    return result;
}

extern "C" void glutSwapBuffers() {
    using Swap = void (*)();
    static const auto realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    realSwap();
    ++frames;
    const char* path = std::getenv("GALLERY_PROBE_FILE");
    if (path != nullptr && frames % 100 == 0) {
        if (std::FILE* out = std::fopen(path, "a")) {
            std::fprintf(out, "%ld %ld\n", frames, residentKilobytes());
            std::fclose(out);
        }
    }
}
