// A probe preloaded into a real program (LD_PRELOAD) by the e2e driver: it counts the frames
// the program swaps, so that the driver can wait for a frame instead of sleeping, without
// changing the program. After every frame it rewrites the count in the file named by
// $GALLERY_PROBE_FRAMES_FILE; every 100 frames it appends the count and the resident memory to
// the file named by $GALLERY_PROBE_FILE, for the soak and memcheck runs. It also passes on
// the program's heap settings (mallopt) and appends each, when $GALLERY_PROBE_HEAP_FILE names
// a file, as "parameter value result".
#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <malloc.h>
#include <unistd.h>

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

// GLUT's own function: next in line after the probe, or, for a program that loads GLUT with a
// module of its own (objtool's display module), in the GLUT library that module loaded.
void* realGlutSymbol(const char* name) {
    if (void* symbol = dlsym(RTLD_NEXT, name)) {
        return symbol;
    }
    void* glut = nullptr;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* found) {
            if (std::strstr(info->dlpi_name, "/libglut.so") == nullptr) {
                return 0;
            }
            *static_cast<void**>(found) = dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD);
            return 1;
        },
        &glut);
    return glut != nullptr ? dlsym(glut, name) : nullptr;
}

long frames = 0;

// Rewritten in place: the count only grows, so its text never gets shorter.
void writeFrameCount() {
    static const int file = [] {
        const char* path = std::getenv("GALLERY_PROBE_FRAMES_FILE");
        return path != nullptr ? open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644) : -1;
    }();
    if (file >= 0) {
        char text[32];
        const int length = std::snprintf(text, sizeof text, "%ld\n", frames);
        if (pwrite(file, text, static_cast<std::size_t>(length), 0) != length) {
            std::perror("frame probe");
        }
    }
}

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
    static const auto realSwap = reinterpret_cast<Swap>(realGlutSymbol("glutSwapBuffers"));
    realSwap();
    ++frames;
    writeFrameCount();
    const char* path = std::getenv("GALLERY_PROBE_FILE");
    if (path != nullptr && frames % 100 == 0) {
        if (std::FILE* out = std::fopen(path, "a")) {
            std::fprintf(out, "%ld %ld\n", frames, residentKilobytes());
            std::fclose(out);
        }
    }
}
