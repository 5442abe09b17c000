// objtool run as a program: help and usage errors, info on a known model, every convert
// option checked by reading the output back, and bad input that must end in a message.
#include "glm.h"
#include "model_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status; // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs objtool in the working directory with args (shell words).
ToolRun objtool(const std::string& args) {
    const std::string command =
        std::string("'") + OBJTOOL_PATH + "' " + args + " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile("stdout.txt"),
                readFile("stderr.txt")};
    // A sanitizer build reports through the exit status the program also uses for failures.
    EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << args << ": " << run.err;
    EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << args << ": " << run.err;
    return run;
}

// The box model of the data folder, copied into the working directory.
void copyBox() {
    for (const char* name : {"split_cube.obj", "split_cube.mtl"}) {
        std::filesystem::copy_file(std::string(OBJTOOL_DATA_DIR) + "/" + name, name);
    }
}

ModelPtr readBack(const char* path) {
    std::string error;
    ModelPtr model(glmTryReadOBJ(path, &error));
    EXPECT_NE(model, nullptr) << error;
    return model;
}

TEST(ObjtoolCommandLine, HelpPrintsTheUsage) {
    ScratchDirectory scratch("objtool");
    for (const char* args : {"--help", "-h", "convert --help", "info -h"}) {
        const ToolRun run = objtool(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_EQ(run.out.rfind("Usage: objtool info MODEL.obj\n", 0), 0u) << args;
        EXPECT_EQ(run.err, "") << args;
    }
}

struct UsageCase {
    const char* args;
    const char* message;
};

TEST(ObjtoolCommandLine, WrongUsageIsStatusTwoWithAMessage) {
    ScratchDirectory scratch("objtool");
    const UsageCase cases[] = {
        {"", "no command given"},
        {"list a.obj", "unknown command \"list\""},
        {"info", "info needs exactly one model file"},
        {"info a.obj b.obj", "info needs exactly one model file"},
        {"info --fit a.obj", "info takes no option --fit"},
        {"convert a.obj", "convert needs an input and an output file"},
        {"convert a.obj b.obj c.obj", "convert needs an input and an output file"},
        {"convert --shrink a.obj b.obj", "unknown option --shrink"},
        {"convert a.obj b.obj --weld", "--weld needs a value"},
        {"convert --weld abc a.obj b.obj", "--weld needs a number of 0 or more, not \"abc\""},
        {"convert --weld=-1 a.obj b.obj", "--weld needs a number of 0 or more, not \"-1\""},
        {"convert --weld 1e99 a.obj b.obj", "--weld needs a number of 0 or more"},
        {"convert --weld nan a.obj b.obj", "--weld needs a number of 0 or more"},
        {"convert --smooth-normals 181 a.obj b.obj", "--smooth-normals needs an angle"},
        {"convert --smooth-normals= a.obj b.obj", "--smooth-normals needs an angle"},
        {"convert --fit=yes a.obj b.obj", "--fit takes no value"},
        {"convert --facet-normals --smooth-normals 30 a.obj b.obj",
         "--facet-normals and --smooth-normals exclude each other"},
        {"convert --planar-texcoords --sphere-texcoords a.obj b.obj",
         "--planar-texcoords and --sphere-texcoords exclude each other"},
    };
    for (const UsageCase& c : cases) {
        const ToolRun run = objtool(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_NE(run.err.find(std::string("objtool: ") + c.message), std::string::npos)
            << c.args << ": " << run.err;
        EXPECT_NE(run.err.find("Try \"objtool --help\"."), std::string::npos) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
    }
}

TEST(ObjtoolInfo, ReportsCountsGroupsMaterialsAndBounds) {
    ScratchDirectory scratch("objtool");
    copyBox();
    const ToolRun run = objtool("info split_cube.obj");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "model: split_cube.obj\n"
                       "vertices: 24\n"
                       "normals: 0\n"
                       "texture coordinates: 0\n"
                       "triangles: 12\n"
                       "material library: split_cube.mtl (3 materials)\n"
                       "groups: 3\n"
                       "  \"default\": 0 triangles, material default\n"
                       "  \"sides\": 8 triangles, material red\n"
                       "  \"caps\": 4 triangles, material blue\n"
                       "bounding box: (10, 0, -1) to (12, 2, 1)\n"
                       "size: 2 x 2 x 2\n");
    EXPECT_EQ(run.err, "");
}

TEST(ObjtoolInfo, EmptyModelHasNoBounds) {
    ScratchDirectory scratch("objtool");
    writeFile("empty.obj", "# nothing\n");
    const ToolRun run = objtool("info empty.obj");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("vertices: 0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("bounding box: none (no vertices)\n"), std::string::npos) << run.out;
}

struct ReadFailureCase {
    const char* name;
    const char* text; // null: the file does not exist
    const char* message;
};

TEST(ObjtoolReadFailure, BadModelsAreStatusOneWithTheFileNamed) {
    const ReadFailureCase cases[] = {
        {"missing", nullptr, "glmReadOBJ() failed: can't open data file \"model.obj\"."},
        {"unknown token", "v 0 0 0\nvp 1 2\n", "glmFirstPass(): Unknown token \"vp\"."},
        {"index out of range", "v 0 0 0\nv 1 0 0\nf 1 2 3\n", "out of range"},
        {"missing material library", "mtllib nowhere.mtl\n",
         "glmReadMTL() failed: can't open material file \"nowhere.mtl\"."},
    };
    for (const ReadFailureCase& c : cases) {
        for (const char* command : {"info model.obj", "convert --fit model.obj out.obj"}) {
            ScratchDirectory scratch("objtool");
            if (c.text != nullptr) {
                writeFile("model.obj", c.text);
            }
            const ToolRun run = objtool(command);
            EXPECT_EQ(run.status, 1) << c.name << ": " << command;
            EXPECT_EQ(run.err.rfind("objtool: can't read \"model.obj\": ", 0), 0u)
                << c.name << ": " << run.err;
            EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
            EXPECT_FALSE(std::filesystem::exists("out.obj")) << c.name;
        }
    }
}

// Whatever the bytes, the program ends with a status of its own, never by a signal.
TEST(ObjtoolReadFailure, RandomBytesNeverCrashIt) {
    ScratchDirectory scratch("objtool");
    std::mt19937 random(99);
    const std::string alphabet = "vntfgmu/ -0123456789.e\n#\t";
    for (int round = 0; round < 25; round++) {
        std::string text;
        for (int i = 0; i < 400; i++) {
            text += round % 2 == 0 ? alphabet[random() % alphabet.size()]
                                   : static_cast<char>(random() % 256);
        }
        writeFile("noise.obj", text);
        for (const char* command :
             {"info noise.obj", "convert --weld 0.5 --fit --flip --smooth-normals 60 "
                                "--sphere-texcoords --materials noise.obj out.obj"}) {
            const ToolRun run = objtool(command);
            EXPECT_TRUE(run.status == 0 || run.status == 1)
                << "status " << run.status << " for " << command << " on round " << round;
        }
    }
}

// One convert: the options, and what the model read back from the output must show.
struct ConvertCase {
    const char* name;
    const char* options;
    std::function<void(const ObjModel& out, const std::string& text)> check;
};

float maxAbsCoordinate(const ObjModel& model, int axis) {
    float largest = 0.0f;
    for (std::uint32_t i = 1; i <= model.vertexcount; i++) {
        largest = std::max(largest, std::fabs(model.vertices[3 * i + axis]));
    }
    return largest;
}

void expectUnitVectors(const float* array, std::uint32_t count) {
    for (std::uint32_t i = 1; i <= count; i++) {
        const float* v = array + 3 * i;
        EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 1.0f, 1e-5f) << i;
    }
}

void expectTexcoordsWithin(const ObjModel& model, float low, float high) {
    for (std::uint32_t i = 1; i <= model.texcoordcount; i++) {
        for (int c = 0; c < 2; c++) {
            EXPECT_GE(model.texcoordarray[2 * i + c], low) << i;
            EXPECT_LE(model.texcoordarray[2 * i + c], high) << i;
        }
    }
}

TEST(ObjtoolConvert, EachOptionShowsInTheOutput) {
    const ConvertCase cases[] = {
        {"plain", "",
         [](const ObjModel& out, const std::string& text) {
             EXPECT_EQ(out.vertexcount, 24u);
             EXPECT_EQ(out.facecount, 12u);
             EXPECT_EQ(out.normals, nullptr);
             EXPECT_EQ(out.texcoordarray, nullptr);
             EXPECT_EQ(text.find("mtllib"), std::string::npos);
         }},
        {"weld", "--weld 0.001",
         [](const ObjModel& out, const std::string&) {
             EXPECT_EQ(out.vertexcount, 8u);
             EXPECT_EQ(out.facecount, 12u);
         }},
        {"fit", "--fit",
         [](const ObjModel& out, const std::string&) {
             // |12| + |10| = 22 is the largest extent: every axis spans 2 / 11 about 0.
             for (int axis = 0; axis < 3; axis++) {
                 EXPECT_NEAR(maxAbsCoordinate(out, axis), 1.0f / 11.0f, 1e-6f) << axis;
             }
         }},
        {"flip", "--flip",
         [](const ObjModel& out, const std::string&) {
             // Groups are written newest first, so the caps' quad 17 18 19 20 leads the
             // file; it was (17, 18, 19) and (17, 19, 20).
             EXPECT_EQ(std::to_array(out.faces[0].vertexidx), (Corners{19, 18, 17}));
             EXPECT_EQ(std::to_array(out.faces[1].vertexidx), (Corners{20, 19, 17}));
         }},
        {"facet normals", "--facet-normals",
         [](const ObjModel& out, const std::string& text) {
             ASSERT_EQ(out.normalcount, 12u);
             expectUnitVectors(out.normals, out.normalcount);
             EXPECT_NE(text.find("f 1//1 2//1 3//1\n"), std::string::npos) << text;
         }},
        {"smooth normals", "--smooth-normals 90",
         [](const ObjModel& out, const std::string&) {
             // Every vertex belongs to one flat quad: one normal each.
             ASSERT_EQ(out.normalcount, 24u);
             expectUnitVectors(out.normals, out.normalcount);
         }},
        {"planar texture coordinates", "--fit --planar-texcoords",
         [](const ObjModel& out, const std::string&) {
             ASSERT_EQ(out.texcoordcount, 24u);
             expectTexcoordsWithin(out, 0.0f, 1.0f);
         }},
        {"sphere texture coordinates", "--smooth-normals 45 --sphere-texcoords",
         [](const ObjModel& out, const std::string&) {
             ASSERT_EQ(out.texcoordcount, out.normalcount);
             EXPECT_EQ(std::to_array(out.faces[5].texcoordidx),
                       std::to_array(out.faces[5].normalidx));
             expectTexcoordsWithin(out, 0.0f, 1.0f);
         }},
        {"materials", "--materials",
         [](const ObjModel& out, const std::string& text) {
             EXPECT_NE(text.find("g sides\nusemtl red\n"), std::string::npos) << text;
             ASSERT_NE(out.materialtable, nullptr);
             ASSERT_EQ(out.materialcount, 4u); // the reader's "default" and the file's three
             EXPECT_STREQ(out.materialtable[2].name, "red");
             EXPECT_FLOAT_EQ(out.materialtable[2].diffusecolor[0], 0.9f);
             EXPECT_STREQ(out.materialtable[3].name, "blue");
             EXPECT_FLOAT_EQ(out.materialtable[3].diffusecolor[2], 0.9f);
         }},
    };
    for (const ConvertCase& c : cases) {
        ScratchDirectory scratch("objtool");
        copyBox();
        std::filesystem::create_directory("out");
        const ToolRun run =
            objtool(std::string("convert ") + c.options + " split_cube.obj out/box.obj");
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.err, "") << c.name;
        ModelPtr out = readBack("out/box.obj");
        ASSERT_NE(out, nullptr) << c.name;
        SCOPED_TRACE(c.name);
        c.check(*out, readFile("out/box.obj"));
    }
}

TEST(ObjtoolConvert, NormalsAndTexcoordsOfTheInputAreKept) {
    ScratchDirectory scratch("objtool");
    writeFile("in.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\n"
                        "f 1/1/1 2/2/1 3/3/1\n");
    const ToolRun run = objtool("convert in.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(readFile("out.obj").find("\nf 1/1/1 2/2/1 3/3/1\n"), std::string::npos);
}

struct ConvertFailureCase {
    const char* name;
    const char* args;
    const char* message;
};

TEST(ObjtoolConvert, FailuresAreStatusOneWithAMessage) {
    const ConvertFailureCase cases[] = {
        {"sphere mapping without normals", "--sphere-texcoords split_cube.obj out.obj",
         "objtool: can't convert \"split_cube.obj\": the model has no vertex normals"},
        {"output directory missing", "split_cube.obj missing/out.obj",
         "glmWriteOBJ() failed: can't open file \"missing/out.obj\" to write."},
        {"full device", "split_cube.obj /dev/full",
         "glmWriteOBJ() failed: can't write file \"/dev/full\": "},
        {"material library over the output", "--materials split_cube.obj split_cube.mtl",
         "would overwrite the output file"},
    };
    for (const ConvertFailureCase& c : cases) {
        ScratchDirectory scratch("objtool");
        copyBox();
        const ToolRun run = objtool(std::string("convert ") + c.args);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    }
}

TEST(ObjtoolConvert, MaterialLibraryOutsideTheOutputDirectoryIsRefused) {
    for (const char* library : {"../escape.mtl", "/tmp/objtool-absolute.mtl"}) {
        ScratchDirectory scratch("objtool");
        const std::filesystem::path file = std::string("in/") + library;
        std::filesystem::create_directories(file.parent_path());
        writeFile(file.string(), "newmtl x\n");
        writeFile("in/model.obj", std::string("mtllib ") + library + "\nv 0 0 0\n");
        const ToolRun run = objtool("convert --materials in/model.obj model.obj");
        EXPECT_EQ(run.status, 1) << library;
        EXPECT_NE(run.err.find("lies outside the output's directory"), std::string::npos)
            << run.err;
        EXPECT_FALSE(std::filesystem::exists("model.obj")) << library;
    }
}

TEST(ObjtoolConvert, SmoothingAngleOf180IsTheUpperBound) {
    ScratchDirectory scratch("objtool");
    copyBox();
    const ToolRun run = objtool("convert --weld 0.001 --smooth-normals 180 split_cube.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    ModelPtr out = readBack("out.obj");
    ASSERT_NE(out, nullptr);
    // Only opposite facets stay apart, and no corner of a cube has two: one normal a corner.
    EXPECT_EQ(out->normalcount, 8u);
}

} // namespace
