// Reads a generated OBJ model of about a million triangles (positions, texture coordinates
// and normals, "v/vt/vn" faces, eight groups over four materials) with glmReadOBJ and with
// tinyobjloader's ObjReader, prints the time ratio, then each reader's peak memory measured
// in a fresh process of its own, and times glmBuildFacetNormals plus glmVertexNormals(90).
//
// A second model has 50,000 groups of one triangle each over 1,000 materials; its twin holds
// the same vertices and triangles in one group. Their times per triangle show what groups
// and materials cost, against the twin and against tinyobjloader on the same file.
//
// The models are written to a temporary folder at start and removed at the end.
#include "gallery/glm.h"

#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

constexpr int kGrid = 708; // (708 - 1)^2 cells of two triangles: 999,698 triangles
constexpr int kGroups = 8;
constexpr int kMaterials = 4;

void appendNumber(std::string& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    out.append(text, result.ptr);
}

// A wavy height field: one vertex, texture coordinate and normal per grid point.
void writeModel(const std::filesystem::path& obj, const std::filesystem::path& mtl) {
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
    std::ofstream(obj, std::ios::binary) << text;
    std::string materials;
    for (int m = 0; m < kMaterials; m++) {
        materials += "newmtl material" + std::to_string(m) + "\nKa 0.1 0.1 0.1\nKd 0." +
                     std::to_string(m + 2) + " 0.5 0.5\nKs 1 1 1\nNs 200\nNi 1.45\nillum 2\n";
    }
    std::ofstream(mtl, std::ios::binary) << materials;
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
    std::ofstream(obj, std::ios::binary) << text;
    std::string materials;
    for (int m = 0; m < kStripMaterials; m++) {
        materials += "newmtl material" + std::to_string(m) + "\nKd 0.5 0.5 0." +
                     std::to_string(m % 10) + "\nNs 100\n";
    }
    std::ofstream(mtl, std::ios::binary) << materials;
}

std::string modelPath;

bool readWithPeer(const std::string& path) {
    tinyobj::ObjReaderConfig config;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    return reader.ParseFromFile(path, config);
}

void readWithGlm(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        ObjModel* model = glmReadOBJ(path.c_str());
        benchmark::DoNotOptimize(model->facecount);
        glmDestroyModel(model);
    }
}

void readWithTinyobj(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        if (!readWithPeer(path)) {
            state.SkipWithError("tinyobjloader could not read the model");
        }
    }
}

void BM_FacetAndVertexNormals(benchmark::State& state) {
    ObjModel* model = glmReadOBJ(modelPath.c_str());
    for (auto _ : state) {
        glmBuildFacetNormals(model);
        glmVertexNormals(model, 90.0f);
    }
    state.counters["normals"] = model->normalcount;
    glmDestroyModel(model);
}

BENCHMARK(BM_FacetAndVertexNormals)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each reader on a model, under the name that the figures look the times up by.
void registerRead(const char* name, void (*read)(benchmark::State&, const std::string&),
                  const std::string& path) {
    benchmark::RegisterBenchmark(name, read, path)->Unit(benchmark::kMillisecond)->Iterations(5);
}

// Keeps each benchmark's wall and processor time per iteration, in milliseconds.
class KeepingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::pair<double, double>> times;
};

// The peak resident memory, in MiB, of a fresh process of this program that reads the
// model with one reader ("glm", "tinyobj") or with none ("none"). The process measures
// itself: a parent's pages would count in its own figure before it starts anew.
double peakMemory(const char* reader) {
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --peak " + reader + " '" + modelPath + "'";
    std::FILE* child = popen(command.c_str(), "r");
    double kibibytes = 0;
    if (child == nullptr || std::fscanf(child, "%lf", &kibibytes) != 1 || pclose(child) != 0) {
        std::fprintf(stderr, "the %s reader's process failed\n", reader);
        return 0;
    }
    return kibibytes / 1024.0;
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

int readForPeak(const std::string& reader, const std::string& path) {
    if (reader == "glm") {
        glmDestroyModel(glmReadOBJ(path.c_str()));
    } else if (reader == "tinyobj" && !readWithPeer(path)) {
        return 1;
    }
    std::printf("%ld\n", peakSoFar());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--peak") == 0) {
        return readForPeak(argv[2], argv[3]);
    }
    char folderTemplate[] = "/tmp/bench_obj_reader.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folderTemplate;
    modelPath = (folder / "field.obj").string();
    writeModel(folder / "field.obj", folder / "field.mtl");
    const std::string manyGroupsPath = (folder / "groups.obj").string();
    const std::string oneGroupPath = (folder / "strip.obj").string();
    writeStrip(manyGroupsPath, folder / "groups.mtl", true);
    writeStrip(oneGroupPath, folder / "strip.mtl", false);
    registerRead("BM_glmReadOBJ", readWithGlm, modelPath);
    registerRead("BM_tinyobjParseFromFile", readWithTinyobj, modelPath);
    registerRead("BM_glmReadOBJManyGroups", readWithGlm, manyGroupsPath);
    registerRead("BM_glmReadOBJOneGroup", readWithGlm, oneGroupPath);
    registerRead("BM_tinyobjManyGroups", readWithTinyobj, manyGroupsPath);
    std::printf("model: %s, %.1f MiB\n", modelPath.c_str(),
                static_cast<double>(std::filesystem::file_size(modelPath)) / (1 << 20));

    benchmark::Initialize(&argc, argv);
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto [ours, oursCpu] = reporter.times["BM_glmReadOBJ/iterations:5"];
    const auto [theirs, theirsCpu] = reporter.times["BM_tinyobjParseFromFile/iterations:5"];
    if (ours > 0 && oursCpu > 0) {
        std::printf("glmReadOBJ %.1f ms (processor %.1f ms), tinyobjloader %.1f ms (processor "
                    "%.1f ms): ours %.2f times as fast (%.2f by processor time)\n",
                    ours, oursCpu, theirs, theirsCpu, theirs / ours, theirsCpu / oursCpu);
    }
    // Nanoseconds of processor time per triangle.
    const auto perTriangle = [&](const char* name, double triangles) {
        return reporter.times[std::string(name) + "/iterations:5"].second * 1e6 / triangles;
    };
    const double field = perTriangle("BM_glmReadOBJ", (kGrid - 1) * (kGrid - 1) * 2.0);
    const double many = perTriangle("BM_glmReadOBJManyGroups", kStripTriangles);
    const double one = perTriangle("BM_glmReadOBJOneGroup", kStripTriangles);
    const double peer = perTriangle("BM_tinyobjManyGroups", kStripTriangles);
    if (many > 0 && one > 0) {
        std::printf("processor time per triangle: %d groups %.0f ns, one group %.0f ns (%.2f "
                    "times), height "
                    "field %.0f ns (%.2f times); tinyobjloader on the %d groups %.0f ns (ours "
                    "%.2f times as fast)\n",
                    kStripTriangles, many, one, many / one, field, field > 0 ? many / field : 0.0,
                    kStripTriangles, peer, peer / many);
    }
    std::printf("peak memory: glmReadOBJ %.1f MiB, tinyobjloader %.1f MiB "
                "(a process that reads nothing: %.1f MiB)\n",
                peakMemory("glm"), peakMemory("tinyobj"), peakMemory("none"));
    std::filesystem::remove_all(folder);
    benchmark::Shutdown();
    return 0;
}
