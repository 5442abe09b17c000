// Reads generated OBJ files with glmReadOBJ, tinyobjloader and fast_obj in one process,
// interleaved round by round, and prints each reader's minimum and median time and the
// ratios of glmReadOBJ's to the others'; then each reader's peak memory on each file,
// measured in a fresh process of its own; then the time of glmBuildFacetNormals plus
// glmVertexNormals(90) on the height field.
//
// The files:
// - a height field of about a million triangles: positions, texture coordinates and normals,
//   "v/vt/vn" faces, eight groups over four materials;
// - an exporter's file: polygons of 5 to 30 corners, 2,000 groups over 200 materials,
//   comments, blank lines, smoothing and object lines, CRLF line ends;
// - 50,000 groups of one triangle each over 1,000 materials, and its twin that holds the
//   same vertices and triangles in one group: their times show what groups and materials
//   cost.
// They are written to a temporary folder at start and removed at the end.
//
// Usage: bench_obj_reader [--rounds N] (7 by default), or bench_obj_reader --write FOLDER to
// write the files into FOLDER and keep them, for profiling.
#include "gallery/glm.h"

#include <tiny_obj_loader.h>
#ifdef GALLERY_BENCH_FAST_OBJ
#include "fast_obj.h"
#endif

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

void appendNumber(std::string& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    out.append(text, result.ptr);
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A wavy height field: one vertex, texture coordinate and normal per grid point.
constexpr int kGrid = 708; // (708 - 1)^2 cells of two triangles: 999,698 triangles

void writeHeightField(const std::filesystem::path& obj, const std::filesystem::path& mtl) {
    constexpr int kGroups = 8;
    constexpr int kMaterials = 4;
    std::string text = "# generated height field\nmtllib " + mtl.filename().string() + "\n";
    const auto height = [](float x, float z) { return 0.1f * std::sin(x * 9) * std::cos(z * 7); };
    for (int row = 0; row < kGrid; row++) {
        for (int column = 0; column < kGrid; column++) {
            const float x = static_cast<float>(column) / kGrid;
            const float z = static_cast<float>(row) / kGrid;
            const float vertex[3] = {x, height(x, z), z};
            const float texcoord[2] = {x, 1 - z};
            float normal[3] = {-0.9f * std::cos(x * 9) * std::cos(z * 7), 1,
                               0.7f * std::sin(x * 9) * std::sin(z * 7)};
            glmMakeUnit(normal);
            const std::pair<const char*, std::pair<const float*, int>> lines[] = {
                {"v", {vertex, 3}}, {"vt", {texcoord, 2}}, {"vn", {normal, 3}}};
            for (const auto& [keyword, values] : lines) {
                text += keyword;
                for (int i = 0; i < values.second; i++) {
                    text += ' ';
                    appendNumber(text, values.first[i]);
                }
                text += '\n';
            }
        }
    }
    for (int row = 0; row + 1 < kGrid; row++) {
        if (row % ((kGrid + kGroups - 1) / kGroups) == 0) {
            const int group = row / ((kGrid + kGroups - 1) / kGroups);
            text += "g part" + std::to_string(group) + "\nusemtl material" +
                    std::to_string(group % kMaterials) + "\n";
        }
        for (int column = 0; column + 1 < kGrid; column++) {
            const int a = row * kGrid + column + 1;
            const int corners[2][3] = {{a, a + kGrid, a + kGrid + 1}, {a, a + kGrid + 1, a + 1}};
            for (const auto& triangle : corners) {
                text += 'f';
                for (const int i : triangle) {
                    const std::string index = std::to_string(i);
                    text += ' ' + index + '/' + index + '/' + index;
                }
                text += '\n';
            }
        }
    }
    writeFile(obj, text);
    std::string materials;
    for (int m = 0; m < kMaterials; m++) {
        materials += "newmtl material" + std::to_string(m) + "\nKa 0.1 0.1 0.1\nKd 0." +
                     std::to_string(m + 2) + " 0.5 0.5\nKs 1 1 1\nNs 200\nNi 1.45\nillum 2\n";
    }
    writeFile(mtl, materials);
}

// An exporter's file: each group is an object of its own, a ring of polygons of 5 to 30
// corners around a shared centre, flat-shaded (one normal per polygon) with texture
// coordinates per vertex. Every line ends in CRLF.
void writeExport(const std::filesystem::path& obj, const std::filesystem::path& mtl) {
    constexpr int kGroups = 2000;
    constexpr int kMaterials = 200;
    constexpr int kPolygonsPerGroup = 30;
    std::mt19937 random(15);
    std::uniform_int_distribution<int> cornerCount(5, 30);
    std::uniform_real_distribution<float> jitter(-0.01f, 0.01f);
    std::string text =
        "# Exported model\r\n# 2000 objects\r\n\r\nmtllib " + mtl.filename().string() + "\r\n";
    int vertices = 0;
    int texcoords = 0;
    int normals = 0;
    const auto line = [&](const char* keyword, std::initializer_list<float> values) {
        text += keyword;
        for (const float value : values) {
            text += ' ';
            appendNumber(text, value);
        }
        text += "\r\n";
    };
    for (int g = 0; g < kGroups; g++) {
        const float cx = static_cast<float>(g % 50) * 3;
        const float cz = static_cast<float>(g / 50) * 3;
        text += "\r\n# object part" + std::to_string(g) + "\r\no part" + std::to_string(g) + "\r\n";
        // The polygons share their rim vertices with their neighbours: polygon p runs over
        // rim vertices [start of p, start of p + 1], fanned about one centre vertex each.
        std::vector<int> corners(kPolygonsPerGroup);
        int rim = 0;
        for (int& count : corners) {
            count = cornerCount(random);
            rim += count - 2;
        }
        const int firstVertex = vertices + 1;
        for (int i = 0; i <= rim; i++) {
            const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(rim);
            line("v", {cx + std::cos(angle) + jitter(random), jitter(random) * 10,
                       cz + std::sin(angle) + jitter(random)});
            line("vt", {0.5f + 0.5f * std::cos(angle), 0.5f + 0.5f * std::sin(angle)});
        }
        line("v", {cx, 0.5f, cz});
        line("vt", {0.5f, 0.5f});
        const int centre = firstVertex + rim + 1;
        vertices += rim + 2;
        const int firstTexcoord = texcoords + 1;
        texcoords += rim + 2;
        for (int p = 0; p < kPolygonsPerGroup; p++) {
            line("vn", {jitter(random), 1, jitter(random)});
        }
        text += "g part" + std::to_string(g) + "\r\nusemtl material" +
                std::to_string((g * 7) % kMaterials) + "\r\ns off\r\n";
        int start = 0;
        for (int p = 0; p < kPolygonsPerGroup; p++) {
            const int normal = ++normals;
            const auto corner = [&](int vertex, int texcoord) {
                text += ' ' + std::to_string(vertex) + '/' + std::to_string(texcoord) + '/' +
                        std::to_string(normal);
            };
            text += 'f';
            corner(centre, firstTexcoord + rim + 1);
            for (int i = 0; i <= corners[p] - 2; i++) {
                corner(firstVertex + start + i, firstTexcoord + start + i);
            }
            text += "\r\n";
            start += corners[p] - 2;
        }
    }
    writeFile(obj, text);
    std::string materials = "# 200 materials\r\n";
    for (int m = 0; m < kMaterials; m++) {
        materials += "\r\nnewmtl material" + std::to_string(m) + "\r\nNs 225.000000\r\n" +
                     "Ka 1.000000 1.000000 1.000000\r\nKd 0." + std::to_string(100 + m) +
                     " 0.500000 0.250000\r\nKs 0.500000 0.500000 0.500000\r\n" +
                     "Ke 0.000000 0.000000 0.000000\r\nNi 1.450000\r\nd 1.000000\r\nillum 2\r\n";
    }
    writeFile(mtl, materials);
}

// The many-groups model and its one-group twin: a strip of triangles over a wavy line.
constexpr int kStripTriangles = 50000;
constexpr int kStripMaterials = 1000;

void writeStrip(const std::filesystem::path& obj, const std::filesystem::path& mtl,
                bool manyGroups) {
    std::string text = "mtllib " + mtl.filename().string() + "\n";
    for (int i = 0; i < kStripTriangles + 2; i++) {
        text += "v " + std::to_string(i / 2) + " " + std::to_string(i % 2) + " " +
                std::to_string((i * 37) % 101) + "\n";
    }
    for (int i = 1; i <= kStripTriangles; i++) {
        if (manyGroups) {
            text += "g strip" + std::to_string(i) + "\nusemtl material" +
                    std::to_string(i % kStripMaterials) + "\n";
        }
        text += "f " + std::to_string(i) + " " + std::to_string(i + 1) + " " +
                std::to_string(i + 2) + "\n";
    }
    writeFile(obj, text);
    std::string materials;
    for (int m = 0; m < kStripMaterials; m++) {
        materials += "newmtl material" + std::to_string(m) + "\nKd 0.5 0.5 0." +
                     std::to_string(m % 10) + "\nNs 100\n";
    }
    writeFile(mtl, materials);
}

// The readers; each reads a file and frees what it read, false when it could not.
struct Reader {
    const char* name;
    bool (*read)(const std::string& path);
};

bool readWithGlm(const std::string& path) {
    ObjModel* model = glmReadOBJ(path.c_str());
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

const Reader kReaders[] = {
    {"glmReadOBJ", readWithGlm},
#ifdef GALLERY_BENCH_FAST_OBJ
    {"fast_obj", readWithFastObj},
#endif
    {"tinyobjloader", readWithTinyobj},
};
constexpr std::size_t kReaderCount = std::size(kReaders);

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

// A fresh process of this program reads the file with one reader (or with none, "none")
// and prints its peak memory: a parent's pages would count in the figure of a child that
// only forked.
int readForPeak(const std::string& name, const std::string& path) {
    for (const Reader& reader : kReaders) {
        if (name == reader.name && !reader.read(path)) {
            return 1;
        }
    }
    std::printf("%ld\n", peakSoFar());
    return 0;
}

// The peak memory in MiB of a fresh process that reads path with the named reader.
double peakMemory(const char* name, const std::string& path) {
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --peak " + name + " '" + path + "'";
    std::FILE* child = popen(command.c_str(), "r");
    double kibibytes = 0;
    if (child == nullptr || std::fscanf(child, "%lf", &kibibytes) != 1 || pclose(child) != 0) {
        std::fprintf(stderr, "the %s reader's process failed\n", name);
        return 0;
    }
    return kibibytes / 1024.0;
}

struct Timings {
    std::vector<double> runs[kReaderCount];
};

// Reads the file rounds times with every reader, the order turning each round, so that
// the readers share the machine's slow and quiet moments alike.
Timings timeReaders(const std::string& path, int rounds) {
    Timings timings;
    for (const Reader& reader : kReaders) {
        reader.read(path); // warms the page cache and the allocator
    }
    for (int round = 0; round < rounds; round++) {
        for (std::size_t k = 0; k < kReaderCount; k++) {
            const std::size_t r = (round + k) % kReaderCount;
            bool read = true;
            timings.runs[r].push_back(milliseconds([&] { read = kReaders[r].read(path); }));
            if (!read) {
                std::fprintf(stderr, "%s could not read %s\n", kReaders[r].name, path.c_str());
                std::exit(1);
            }
        }
    }
    return timings;
}

struct Files {
    std::string field, exported, manyGroups, oneGroup;
};

Files writeFiles(const std::filesystem::path& folder) {
    const Files files = {(folder / "field.obj").string(), (folder / "export.obj").string(),
                         (folder / "groups.obj").string(), (folder / "strip.obj").string()};
    writeHeightField(files.field, folder / "field.mtl");
    writeExport(files.exported, folder / "export.mtl");
    writeStrip(files.manyGroups, folder / "groups.mtl", true);
    writeStrip(files.oneGroup, folder / "strip.mtl", false);
    return files;
}

void report(const char* title, const std::string& path, const Timings& timings) {
    std::printf("\n%s: %s, %.1f MiB\n", title, std::filesystem::path(path).filename().c_str(),
                static_cast<double>(std::filesystem::file_size(path)) / (1 << 20));
    std::printf("  %-14s %9s %9s %9s\n", "reader", "min ms", "median ms", "peak MiB");
    for (std::size_t r = 0; r < kReaderCount; r++) {
        std::printf("  %-14s %9.1f %9.1f %9.1f\n", kReaders[r].name,
                    *std::min_element(timings.runs[r].begin(), timings.runs[r].end()),
                    median(timings.runs[r]), peakMemory(kReaders[r].name, path));
    }
    const double ours = *std::min_element(timings.runs[0].begin(), timings.runs[0].end());
    const double oursMedian = median(timings.runs[0]);
    for (std::size_t r = 1; r < kReaderCount; r++) {
        const double theirs = *std::min_element(timings.runs[r].begin(), timings.runs[r].end());
        std::printf("  glmReadOBJ's time / %s's: %.2f (min), %.2f (median)\n", kReaders[r].name,
                    ours / theirs, oursMedian / median(timings.runs[r]));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--peak") == 0) {
        return readForPeak(argv[2], argv[3]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        std::filesystem::create_directories(argv[2]);
        writeFiles(argv[2]);
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
    char folderTemplate[] = "/tmp/bench_obj_reader.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folderTemplate;
    const auto [field, exported, manyGroups, oneGroup] = writeFiles(folder);
    std::printf("%d interleaved rounds; peak memory of a process that reads nothing: %.1f MiB\n",
                rounds, peakMemory("none", field));

    report("height field", field, timeReaders(field, rounds));
    report("exporter's file", exported, timeReaders(exported, rounds));
    const Timings many = timeReaders(manyGroups, rounds);
    const Timings one = timeReaders(oneGroup, rounds);
    report("50,000 groups", manyGroups, many);
    report("its one-group twin", oneGroup, one);
    std::printf("\nglmReadOBJ on 50,000 groups takes %.2f times its time on one group (min)\n",
                *std::min_element(many.runs[0].begin(), many.runs[0].end()) /
                    *std::min_element(one.runs[0].begin(), one.runs[0].end()));

    ObjModel* model = glmReadOBJ(field.c_str());
    std::vector<double> normals;
    for (int round = 0; round < rounds; round++) {
        normals.push_back(milliseconds([&] {
            glmBuildFacetNormals(model);
            glmVertexNormals(model, 90.0f);
        }));
    }
    std::printf("glmBuildFacetNormals + glmVertexNormals(90) on the height field: %.1f ms (min), "
                "%.1f ms (median), %u normals\n",
                *std::min_element(normals.begin(), normals.end()), median(normals),
                model->normalcount);
    glmDestroyModel(model);
    std::filesystem::remove_all(folder);
    return 0;
}
