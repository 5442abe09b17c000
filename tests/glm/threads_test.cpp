// The reader on every core: any number of threads and any cut into parts read the model that
// one thread reads whole, from files, pipes and FIFOs; a line of the limit reads and one byte
// more does not; a file that changes between the passes is refused.
#include "glm_reader.h"
#include "glm_test_util.h"
#include "read_alike.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

// Defined only where a sanitizer is linked in.
extern "C" void __asan_init() __attribute__((weak));
extern "C" void __tsan_init() __attribute__((weak));

namespace {

// The address space of this process, in KiB.
long addressSpaceKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmSize:", 0) == 0) {
            return std::stol(line.substr(7));
        }
    }
    return 0;
}

const char* const kMaterials = "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n";

TEST(ReaderThreads, TestFilesReadAlike) {
    const std::filesystem::path source = GALLERY_SOURCE_DIR;
    for (const char* folder : {"tests/glm/data", "tests/objtool/data", "modely"}) {
        for (const auto& entry : std::filesystem::directory_iterator(source / folder)) {
            if (entry.path().extension() == ".obj") {
                expectAlikeOnAnyThreads(entry.path().string());
            }
        }
    }
}

TEST(ReaderThreads, RandomTextsReadAlike) {
    std::mt19937 random(15);
    int models = 0;
    for (int i = 0; i < 300; i++) {
        const std::string text = randomObj(random);
        expectTextAlikeOnAnyThreads(text, kMaterials);
        objreader::Failure failure;
        models += ModelPtr(objreader::readOBJText("model.obj", text, kMaterials, &failure)) ? 1 : 0;
    }
    EXPECT_GT(models, 50); // not all of them refused
}

// Two readings at the same time share nothing.
TEST(ReaderThreads, ReadingsOnTwoThreadsAtOnce) {
    std::string obj = "mtllib model.mtl\nusemtl red\n";
    for (int i = 0; i < 20000; i++) {
        obj += "v " + std::to_string(i) + " 0 1\nf -1 -1 -1\n";
    }
    const std::string path = writeScratchFile("twice.obj", obj);
    writeScratchFile("model.mtl", kMaterials);
    ModelPtr models[2];
    std::thread other([&] {
        models[0].reset(glmReadOBJWith(path.c_str(), {2, -1, nullptr}, nullptr));
    });
    models[1].reset(glmReadOBJWith(path.c_str(), {3, -1, nullptr}, nullptr));
    other.join();
    ASSERT_TRUE(models[0] && models[1]);
    EXPECT_EQ(models[0]->facecount, 20000u);
    EXPECT_TRUE(sameModels(models[0].get(), models[1].get()));
}

// Writes text into fd and closes it, from a thread of its own.
std::thread feed(int fd, std::string text) {
    return std::thread([fd, text = std::move(text)] {
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = write(fd, text.data() + done, text.size() - done);
            if (n <= 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        close(fd);
    });
}

// A pipe and a FIFO can be read only once: the reader holds their text for its two passes.
TEST(ReaderThreads, PipeAndFifoReadAsTheFile) {
    std::mt19937 random(3);
    std::string obj;
    while (obj.size() < (3u << 20)) { // parts for several threads
        obj += "v 1 2 3\nv 4 5 6\nvt 0.5 1\ng part\nusemtl blue\nf -1/1 -2/1 1/1\n";
    }
    obj = "mtllib model.mtl\n" + obj + randomObj(random);
    writeScratchFile("model.mtl", kMaterials);
    const std::string file = writeScratchFile("piped.obj", obj);
    const ModelPtr fromFile(glmTryReadOBJ(file.c_str(), nullptr));
    ASSERT_TRUE(fromFile);

    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::thread writer = feed(ends[1], obj);
    ObjReadReport report;
    const ModelPtr fromPipe(glmReadOBJWith(file.c_str(), {0, ends[0], &report}, nullptr));
    writer.join();
    close(ends[0]);
    ASSERT_TRUE(fromPipe);
    EXPECT_TRUE(sameModels(fromPipe.get(), fromFile.get()));
    EXPECT_EQ(report.libraries.size(), 1u);

    const std::string fifo = file.substr(0, file.rfind('/') + 1) + "model.fifo";
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread opener([&] {
        const int fd = open(fifo.c_str(), O_WRONLY);
        feed(fd, obj).join();
    });
    const ModelPtr fromFifo(glmTryReadOBJ(fifo.c_str(), nullptr));
    opener.join();
    ASSERT_TRUE(fromFifo);
    EXPECT_TRUE(sameModels(fromFifo.get(), fromFile.get()));
}

// A line of exactly 64 MiB reads, from a file and from memory, with its line break of either
// kind; one byte more is refused.
TEST(ReaderThreads, LineLimitExactlySlow) {
    for (const std::string lineBreak : {"\n", "\r\n"}) {
        for (const std::size_t length : {objreader::kLineLimit, objreader::kLineLimit + 1}) {
            const std::string obj =
                "v 1 2 3\n#" + std::string(length - 1, 'x') + lineBreak + "v 4 5 6\n";
            const std::string path = writeScratchFile("long.obj", obj);
            objreader::TextSource file;
            int error = 0;
            ASSERT_TRUE(file.open(path.c_str(), -1, &error));
            objreader::TextSource memory;
            memory.view(obj);
            objreader::Settings settings;
            settings.threads = 2;
            settings.partBytes = 16u << 20;
            for (const objreader::TextSource* text : {&file, &memory}) {
                objreader::Failure failure;
                const ModelPtr model(
                    objreader::readOBJ(path.c_str(), *text, settings, nullptr, &failure));
                if (length == objreader::kLineLimit) {
                    ASSERT_TRUE(model) << failure.message;
                    EXPECT_EQ(model->vertexcount, 2u);
                } else {
                    EXPECT_EQ(failure.message, "glmReadOBJ() failed: \"" + path +
                                                   "\" line 2: the line is longer than 64 MiB.");
                }
            }
        }
    }
}

// Arrays that memory cannot hold end the reading with a message, never a crash: here a face
// of five million corners, whose triangles need 200 MB, with 100 MB of address space to spare.
TEST(ReaderThreads, OutOfMemoryIsAMessage) {
    std::string face = "v 0 0 0\nf";
    for (int i = 0; i < 5000000; i++) {
        face += " 1";
    }
    const std::string path = writeScratchFile("huge-face.obj", face + "\n");
    const ChildRun run = runInChild([&] {
        if (&__asan_init != nullptr || &__tsan_init != nullptr) {
            std::exit(3); // the sanitizers reserve address space of their own
        }
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = static_cast<rlim_t>(addressSpaceKiB() + (100 << 10)) << 10;
        if (setrlimit(RLIMIT_AS, &limit) != 0) {
            std::exit(4);
        }
        std::string error;
        std::exit(glmTryReadOBJ(path.c_str(), &error) == nullptr &&
                          error == "glmReadOBJ() failed: out of memory reading \"" + path + "\"."
                      ? 0
                      : 2);
    });
    EXPECT_TRUE(run.exitStatus == 0 || run.exitStatus == 3) << run.exitStatus;
}

struct Change {
    const char* what;
    std::string after; // the OBJ text once the first pass is done, or the MTL's with "mtl:"
};

void PrintTo(const Change& change, std::ostream* out) {
    *out << change.what;
}

class ReaderOnChangingFiles : public testing::TestWithParam<Change> {};

// The first pass sizes the arrays: a second pass that finds other counts refuses the file.
// The libraries are read once, between the passes: a change after that is not seen.
TEST_P(ReaderOnChangingFiles, RefuseWhatTheFirstPassDidNotCount) {
    const std::string before = "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl red\nf 1 2 3\n";
    const std::string path = writeScratchFile("changing.obj", before);
    const std::string mtl = writeScratchFile("model.mtl", kMaterials);
    objreader::TextSource text;
    int error = 0;
    ASSERT_TRUE(text.open(path.c_str(), -1, &error));
    objreader::Settings settings;
    settings.threads = 2;
    settings.partBytes = 16;
    settings.betweenPasses = [&] {
        const std::string& after = GetParam().after;
        if (after.rfind("mtl:", 0) == 0) {
            writeScratchFile("model.mtl", after.substr(4));
        } else {
            writeScratchFile("changing.obj", after);
        }
    };
    objreader::Failure failure;
    const ModelPtr model(objreader::readOBJ(path.c_str(), text, settings, nullptr, &failure));
    if (GetParam().after.rfind("mtl:", 0) == 0) {
        ASSERT_TRUE(model) << failure.message;
        EXPECT_EQ(model->materialcount, 3u);
        EXPECT_EQ(model->materialtable[model->grouplist->materialidx].diffusecolor[0], 1.0f);
    } else {
        EXPECT_FALSE(model);
        EXPECT_EQ(failure.message,
                  "glmReadOBJ() failed: \"" + path + "\": the file changed while it was read.");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ReaderOnChangingFiles,
    testing::Values(
        Change{"FewerVertices", "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nusemtl red\nf 1 2 2\n"},
        Change{"MoreVertices", "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 9 9 9\nf 1 2 3\n"},
        Change{"FewerFaces", "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl red\n"},
        Change{"MoreFaces", "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl red\nf 1 2 3 1\n"},
        Change{"AnotherGroup", "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\ng red\nf 1 2 3\n"},
        Change{"Materials", "mtl:newmtl blue\nKd 0 0 1\n"}),
    [](const testing::TestParamInfo<Change>& info) { return std::string(info.param.what); });

} // namespace
