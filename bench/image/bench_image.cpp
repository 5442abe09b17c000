// Reads the same 4096 x 4096 files with our readers and with stb_image and prints, for each
// kind, the ratio of our time to stb_image's (below 1: ours is faster). Each reader reads the
// file from the path and returns its pixels in its own layout (ours bottom-up and padded,
// stb_image top-down and packed); both are checked to give the same pixels first.
#include "gallery/bmp_reader.h"
#include "gallery/tga_reader.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Kind {
    const char* name;
    const char* file;
    const char* before; // ImageMagick settings for the small source picture
    const char* output; // and for the magnified file
    std::unique_ptr<BmpImage> (*read)(const char*);
};

// A smooth picture magnified 8 times: runs of 8 equal pixels for the run-length coder, and
// 256 colours for the paletted one.
const Kind kinds[] = {
    {"BMP 24-bit", "picture24.bmp", "", "-type truecolor -compress none BMP3:", readBmp},
    {"BMP 8-bit", "picture8.bmp", "+dither -colors 256",
     "-type palette -compress none BMP3:", readBmp},
    {"TGA run-length", "picture.tga", "", "-type truecolor -compress RLE TGA:", readTga},
};

constexpr int side = 4096;

bool makeFiles(const std::string& dir) {
    const std::string source = dir + "/source.png";
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    std::string command = "convert -seed 1 -size 512x512 plasma:fractal -depth 8 '" + source + "'";
    for (const Kind& kind : kinds) {
        command += " && convert '" + source + "' " + kind.before + " -sample " + size + " " +
                   kind.output + "'" + dir + "/" + kind.file + "'";
    }
    return std::system(command.c_str()) == 0;
}

// Both readers must agree on every pixel, or the comparison means nothing.
bool sameImage(const char* path, std::unique_ptr<BmpImage> (*read)(const char*)) {
    const auto ours = read(path);
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* theirs = stbi_load(path, &width, &height, &channels, 3);
    bool same = ours != nullptr && theirs != nullptr && int(ours->width) == width &&
                int(ours->height) == height && ours->bitsPerPixel == 24;
    for (int row = 0; same && row < height; ++row) {
        same = std::memcmp(ours->pixels + std::size_t(row) * ours->rowBytes,
                           theirs + std::size_t(height - 1 - row) * width * 3,
                           std::size_t(width) * 3) == 0;
    }
    stbi_image_free(theirs);
    return same;
}

void readOurs(benchmark::State& state, const std::string& path,
              std::unique_ptr<BmpImage> (*read)(const char*)) {
    for (auto _ : state) {
        auto image = read(path.c_str());
        if (image == nullptr) {
            state.SkipWithError("our reader refused the file");
            return;
        }
        benchmark::DoNotOptimize(image->pixels);
    }
}

void readStb(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        int channels = 0;
        unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
        if (pixels == nullptr) {
            state.SkipWithError("stb_image refused the file");
            return;
        }
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

struct Times {
    double real;
    double cpu;
};

// Keeps each benchmark's times per iteration for the ratios printed at the end (with
// repetitions, their medians).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {} // plain text: the output usually goes to logs
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!run.error_occurred && (median || run.run_type == Run::RT_Iteration)) {
                const std::string name = run.run_name.str();
                if (median || !times.contains(name)) {
                    times[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, Times> times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string dir = (std::filesystem::temp_directory_path() / "bench-image-XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    int status = 0;
    if (!makeFiles(dir)) {
        std::fprintf(stderr, "ImageMagick's convert could not make the files\n");
        status = 1;
    }
    for (const Kind& kind : kinds) {
        const std::string path = dir + "/" + kind.file;
        if (status == 0 && !sameImage(path.c_str(), kind.read)) {
            std::fprintf(stderr, "%s: the readers disagree\n", kind.name);
            status = 1;
        }
        benchmark::RegisterBenchmark((std::string("ours/") + kind.name).c_str(), readOurs, path,
                                     kind.read)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("stb_image/") + kind.name).c_str(), readStb, path)
            ->Unit(benchmark::kMillisecond);
    }
    if (status == 0) {
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        std::printf("\nours / stb_image (below 1: ours is faster)   real time   CPU time\n");
        for (const Kind& kind : kinds) {
            const auto ours = reporter.times.find(std::string("ours/") + kind.name);
            const auto stb = reporter.times.find(std::string("stb_image/") + kind.name);
            if (ours != reporter.times.end() && stb != reporter.times.end()) {
                std::printf("  %-42s %9.2f %10.2f\n", kind.name,
                            ours->second.real / stb->second.real,
                            ours->second.cpu / stb->second.cpu);
            }
        }
    }
    std::filesystem::remove_all(dir);
    benchmark::Shutdown();
    return status;
}
