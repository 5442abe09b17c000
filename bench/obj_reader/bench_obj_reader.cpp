// Reads generated OBJ files (model_files.h) with glmReadOBJ on 1, 2, 4 and 8 threads,
// fast_obj, rapidobj and tinyobjloader, and prints for each reader:
// - its minimum and median time in one long-lived process, the readers interleaved round by
//   round, so that they share the machine's slow and quiet moments alike, and each reading on
//   a heap that earlier readings left;
// - its minimum time in a fresh process per reading, as a program that reads one model meets
//   it, and the peak resident memory of such a process;
// then the ratios of glmReadOBJ's times to the others', and the time of glmBuildFacetNormals
// plus glmVertexNormals(90) on the height field.
// The files are written to a temporary folder at start and removed at the end.
//
// Usage: bench_obj_reader [--rounds N] (7 by default), or bench_obj_reader --write FOLDER to
// write the files into FOLDER and keep them, for profiling.
#include "gallery/glm.h"
#include "model_files.h"

#include <tiny_obj_loader.h>
#ifdef GALLERY_BENCH_FAST_OBJ
#include "fast_obj.h"
#endif
#ifdef GALLERY_BENCH_RAPIDOBJ
#include "rapidobj.hpp"
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// The readers; each reads a file and frees what it read, false when it could not.
struct Reader {
    const char* name;
    bool (*read)(const std::string& path);
};

template <unsigned kThreads> bool readWithGlm(const std::string& path) {
    std::string error;
    ObjModel* model = glmReadOBJWith(path.c_str(), {kThreads, -1, nullptr}, &error);
    if (model == nullptr) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    glmDestroyModel(model);
    return true;
}

bool readWithTinyobj(const std::string& path) {
    tinyobj::ObjReaderConfig config;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    return reader.ParseFromFile(path, config);
}

#ifdef GALLERY_BENCH_FAST_OBJ
bool readWithFastObj(const std::string& path) {
    fastObjMesh* mesh = fast_obj_read(path.c_str());
    if (mesh == nullptr) {
        return false;
    }
    fast_obj_destroy(mesh);
    return true;
}
#endif

#ifdef GALLERY_BENCH_RAPIDOBJ
bool readWithRapidobj(const std::string& path) {
    const rapidobj::Result result = rapidobj::ParseFile(path);
    return !result.error;
}
#endif

const Reader kReaders[] = {
    {"glmReadOBJ/1", readWithGlm<1>},   {"glmReadOBJ/2", readWithGlm<2>},
    {"glmReadOBJ/4", readWithGlm<4>},   {"glmReadOBJ/8", readWithGlm<8>},
#ifdef GALLERY_BENCH_FAST_OBJ
    {"fast_obj", readWithFastObj},
#endif
#ifdef GALLERY_BENCH_RAPIDOBJ
    {"rapidobj", readWithRapidobj},
#endif
    {"tinyobjloader", readWithTinyobj},
};
constexpr std::size_t kReaderCount = std::size(kReaders);

const Reader* readerNamed(const std::string& name) {
    for (const Reader& reader : kReaders) {
        if (name == reader.name) {
            return &reader;
        }
    }
    return nullptr;
}

// Milliseconds of wall-clock time that f takes.
double milliseconds(const std::function<void()>& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// The process's peak resident memory so far, in KiB, from /proc/self/status.
long peakSoFar() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

// In a fresh process of this program: reads the file once with the named reader (or with
// none, "none") and prints the reading's milliseconds and the process's peak memory in KiB.
int readOnce(const std::string& name, const std::string& path) {
    const Reader* reader = readerNamed(name);
    bool read = true;
    const double time = milliseconds([&] { read = reader == nullptr || reader->read(path); });
    std::printf("%f %ld\n", time, peakSoFar());
    return read ? 0 : 1;
}

struct Fresh {
    double milliseconds = 0;
    double peakMiB = 0;
};

// A reading in a fresh process: its time and the process's peak memory.
Fresh readInFreshProcess(const char* name, const std::string& path) {
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --once " + name + " '" + path + "'";
    std::FILE* child = popen(command.c_str(), "r");
    Fresh fresh;
    double kibibytes = 0;
    if (child == nullptr || std::fscanf(child, "%lf %lf", &fresh.milliseconds, &kibibytes) != 2 ||
        pclose(child) != 0) {
        std::fprintf(stderr, "the %s reader's process failed\n", name);
        std::exit(1);
    }
    fresh.peakMiB = kibibytes / 1024.0;
    return fresh;
}

struct Timings {
    std::vector<double> longLived[kReaderCount];
    std::vector<double> fresh[kReaderCount];
    double peakMiB[kReaderCount] = {};
};

// Reads the file rounds times with every reader in this process, the order turning each
// round, then rounds times with each in a fresh process.
Timings timeReaders(const std::string& path, int rounds) {
    Timings timings;
    for (const Reader& reader : kReaders) {
        reader.read(path); // warms the page cache and the allocator
    }
    for (int round = 0; round < rounds; round++) {
        for (std::size_t k = 0; k < kReaderCount; k++) {
            const std::size_t r = (round + k) % kReaderCount;
            bool read = true;
            timings.longLived[r].push_back(milliseconds([&] { read = kReaders[r].read(path); }));
            if (!read) {
                std::fprintf(stderr, "%s could not read %s\n", kReaders[r].name, path.c_str());
                std::exit(1);
            }
        }
    }
    for (int round = 0; round < rounds; round++) {
        for (std::size_t k = 0; k < kReaderCount; k++) {
            const std::size_t r = (round + k) % kReaderCount;
            const Fresh fresh = readInFreshProcess(kReaders[r].name, path);
            timings.fresh[r].push_back(fresh.milliseconds);
            timings.peakMiB[r] = std::max(timings.peakMiB[r], fresh.peakMiB);
        }
    }
    return timings;
}

void printRatio(const Timings& timings, const char* ours, const char* theirs) {
    const Reader* a = readerNamed(ours);
    const Reader* b = readerNamed(theirs);
    if (a == nullptr || b == nullptr) {
        return;
    }
    const std::size_t x = static_cast<std::size_t>(a - kReaders);
    const std::size_t y = static_cast<std::size_t>(b - kReaders);
    std::printf("  %s / %s: %.2f long-lived, %.2f fresh process (min); memory %.2f\n", ours, theirs,
                minimum(timings.longLived[x]) / minimum(timings.longLived[y]),
                minimum(timings.fresh[x]) / minimum(timings.fresh[y]),
                timings.peakMiB[x] / timings.peakMiB[y]);
}

void report(const char* title, const std::string& path, const Timings& timings) {
    std::printf("\n%s: %s, %.1f MiB\n", title, std::filesystem::path(path).filename().c_str(),
                static_cast<double>(std::filesystem::file_size(path)) / (1 << 20));
    std::printf("  %-14s %10s %10s %10s %9s\n", "reader", "long min", "long med", "fresh min",
                "peak MiB");
    for (std::size_t r = 0; r < kReaderCount; r++) {
        std::printf("  %-14s %10.1f %10.1f %10.1f %9.1f\n", kReaders[r].name,
                    minimum(timings.longLived[r]), median(timings.longLived[r]),
                    minimum(timings.fresh[r]), timings.peakMiB[r]);
    }
    for (const char* peer : {"fast_obj", "rapidobj", "tinyobjloader"}) {
        printRatio(timings, "glmReadOBJ/2", peer);
    }
    printRatio(timings, "glmReadOBJ/1", "fast_obj");
    printRatio(timings, "glmReadOBJ/2", "glmReadOBJ/1");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--once") == 0) {
        return readOnce(argv[2], argv[3]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        std::filesystem::create_directories(argv[2]);
        writeModelFiles(argv[2]);
        return 0;
    }
    int rounds = 7;
    if (argc == 3 && std::strcmp(argv[1], "--rounds") == 0) {
        rounds = std::max(1, std::atoi(argv[2]));
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--rounds N | --write FOLDER]\n", argv[0]);
        return 2;
    }
#ifndef GALLERY_BENCH_FAST_OBJ
    std::printf("fast_obj left out: its source was not found beside the source tree "
                "(../shared/peers/fast_obj)\n");
#endif
#ifndef GALLERY_BENCH_RAPIDOBJ
    std::printf("rapidobj left out: its header was not found beside the source tree "
                "(../shared/peers/rapidobj)\n");
#endif
    char folderTemplate[] = "/tmp/bench_obj_reader.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folderTemplate;
    const ModelFiles files = writeModelFiles(folder);
    std::printf("%d rounds; peak memory of a process that reads nothing: %.1f MiB\n", rounds,
                readInFreshProcess("none", files.field).peakMiB);

    report("height field", files.field, timeReaders(files.field, rounds));
    report("exporter's file", files.exported, timeReaders(files.exported, rounds));
    report("50,000 groups", files.manyGroups, timeReaders(files.manyGroups, rounds));
    report("its one-group twin", files.oneGroup, timeReaders(files.oneGroup, rounds));

    ObjModel* model = glmReadOBJ(files.field.c_str());
    std::vector<double> normals;
    for (int round = 0; round < rounds; round++) {
        normals.push_back(milliseconds([&] {
            glmBuildFacetNormals(model);
            glmVertexNormals(model, 90.0f);
        }));
    }
    std::printf("\nglmBuildFacetNormals + glmVertexNormals(90) on the height field: %.1f ms (min), "
                "%.1f ms (median), %u normals\n",
                minimum(normals), median(normals), model->normalcount);
    glmDestroyModel(model);
    std::filesystem::remove_all(folder);
    return 0;
}
