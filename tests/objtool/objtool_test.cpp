// objtool run as a program: help and usage errors, info on a known model, every convert
// option checked by reading the output back, bad input that must end in a message, and the
// files convert must leave alone. A second reader (tinyobjloader) reads converted output too.
#include "gallery/glm.h"
#include "model_fixtures.h"

#include <gtest/gtest.h>
// The reader is built into this test rather than linked.
#include <tiny_obj_loader.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status; // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs objtool in the working directory with args (shell words), after the shell commands in
// setup.
ToolRun objtool(const std::string& args, const std::string& setup = "") {
    // In a sanitizer build, the leak check at exit misreads the thread-local storage that the
    // GL driver's shader compiler sets up while render draws, and crashes (clang 14's runtime
    // on this glibc); without tracking that storage it still checks every allocation.
    const std::string command =
        "export ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:intercept_tls_get_addr=0\"; " + setup + "'" +
        OBJTOOL_PATH + "' " + args + " >stdout.txt 2>stderr.txt";
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

// The names in the working directory, sorted: what a command created or left behind.
std::vector<std::string> listing() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
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
        {"view", "view needs exactly one model file"},
        {"render a.obj", "render needs a model file and a PNG file"},
        {"view --materials a.obj", "view takes no option --materials"},
        {"convert --yaw 10 a.obj b.obj", "convert takes no option --yaw"},
        {"render --size 640x0 a.obj b.png", "--size needs a width and a height from 1 to 8192"},
        {"render --size=64 a.obj b.png",
         "--size needs a width and a height from 1 to 8192, such as 640x480, not \"64\""},
        {"render --pitch 400 a.obj b.png", "--pitch needs an angle from -360 to 360"},
        {"view --mode shiny a.obj", "--mode needs flat, smooth or material, not \"shiny\""},
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
                       "size: 2 x 2 x 2\n"
                       "vertices not finite: 0\n"
                       "dropped by convert: none\n");
    EXPECT_EQ(run.err, "");
}

TEST(ObjtoolInfo, BoundsOfFiniteVerticesAndWhatConvertDrops) {
    ScratchDirectory scratch("objtool");
    // The reader reads the first library a "mtllib" line names; the other is never read, and
    // nothing is dropped from it.
    writeFile("odd.obj",
              "mtllib odd.mtl unread.mtl\no thing\nv 0 0 0\nv inf 0 0\nv 2 nan 1\nv 1 3 -1\n"
              "s 1\nf 1 2 3\ns off\nf 1 3 4\n");
    writeFile("odd.mtl", "newmtl a\nKd 1 0 0\nmap_Kd a.png\n");
    writeFile("unread.mtl", "newmtl b\nmap_Ks b.png\n");
    const ToolRun run = objtool("info odd.obj");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string tail = run.out.substr(run.out.find("bounding box"));
    EXPECT_EQ(tail, "bounding box: (0, 0, -1) to (1, 3, 0)\n"
                    "size: 1 x 3 x 1\n"
                    "vertices not finite: 2\n"
                    "dropped by convert:\n"
                    "  \"o\": 1 line in odd.obj\n"
                    "  \"s\": 2 lines in odd.obj\n"
                    "  \"map_Kd\": 1 line in odd.mtl\n");
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
        {"not a model", "Dear reader,\nthis is a letter.\n", "it is no OBJ file"},
    };
    for (const ReadFailureCase& c : cases) {
        for (const char* command :
             {"info model.obj", "convert --fit model.obj out.obj", "render model.obj out.obj"}) {
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
             // The caps' quad 17 18 19 20 was (17, 18, 19) and (17, 19, 20).
             std::vector<Corners> triangles;
             for (std::uint32_t t = 0; t < out.facecount; t++) {
                 triangles.push_back(std::to_array(out.faces[t].vertexidx));
             }
             const auto first = std::find(triangles.begin(), triangles.end(), Corners{19, 18, 17});
             ASSERT_NE(first, triangles.end());
             EXPECT_EQ(first[1], (Corners{20, 19, 17}));
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
             EXPECT_NE(text.find("\nmtllib box.mtl\n"), std::string::npos) << text;
             EXPECT_NE(text.find("g sides\nusemtl red\n"), std::string::npos) << text;
             ASSERT_NE(out.materialtable, nullptr);
             ASSERT_EQ(out.materialcount, 3u); // "default" once, "red" and "blue"
             EXPECT_STREQ(out.materialtable[1].name, "red");
             EXPECT_FLOAT_EQ(out.materialtable[1].diffusecolor[0], 0.9f);
             EXPECT_STREQ(out.materialtable[2].name, "blue");
             EXPECT_FLOAT_EQ(out.materialtable[2].diffusecolor[2], 0.9f);
         }},
    };
    for (const ConvertCase& c : cases) {
        ScratchDirectory scratch("objtool");
        copyBox();
        std::filesystem::create_directory("out");
        const ToolRun run =
            objtool(std::string("convert ") + c.options + " split_cube.obj out/box.obj");
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        const bool materials = std::string(c.options).find("--materials") != std::string::npos;
        EXPECT_EQ(run.err, materials
                               ? ""
                               : "objtool: note: dropped \"mtllib\": 1 line in split_cube.obj\n"
                                 "objtool: note: dropped \"usemtl\": 2 lines in split_cube.obj\n"
                                 "objtool: note: --materials keeps the materials\n")
            << c.name;
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

// Nothing is written for a failed conversion or picture, and never over a file the model was
// read from.
TEST(ObjtoolConvert, FailuresAreStatusOneWithAMessage) {
    const ConvertFailureCase cases[] = {
        {"sphere mapping without normals", "convert --sphere-texcoords split_cube.obj out.obj",
         "objtool: can't convert \"split_cube.obj\": the model has no vertex normals"},
        {"output directory missing", "convert split_cube.obj missing/out.obj",
         "can't write in \"missing\": No such file or directory"},
        {"output is a directory", "convert split_cube.obj linked", "\"linked\" is a directory"},
        {"full device", "convert split_cube.obj /dev/full",
         "glmWriteOBJ() failed: can't write file \"/dev/full\": "},
        {"materials beside a device", "convert --materials split_cube.obj /dev/null",
         "\"/dev/null\" is not a regular file"},
        {"material library over the output", "convert --materials split_cube.obj box.mtl",
         "the material library \"box.mtl\" would overwrite the output file"},
        {"output is the input", "convert split_cube.obj ./split_cube.obj",
         "\"./split_cube.obj\" is a file the model was read from; not writing over it"},
        {"output is the input's library", "convert split_cube.obj split_cube.mtl",
         "\"split_cube.mtl\" is a file the model was read from"},
        {"output linked to the input", "convert split_cube.obj link.obj",
         "\"link.obj\" is a file the model was read from"},
        {"library linked to the input's", "convert --materials split_cube.obj linked/box.obj",
         "\"linked/box.mtl\" is a file the model was read from"},
        {"picture over the input's library", "render split_cube.obj split_cube.mtl",
         "objtool: can't render \"split_cube.obj\": \"split_cube.mtl\" is a file the model was "
         "read from"},
        {"picture in a missing directory", "render split_cube.obj missing/box.png",
         "can't write in \"missing\": No such file or directory"},
        {"picture on a full device", "render split_cube.obj /dev/full",
         "objtool: can't render \"split_cube.obj\": cannot write \"/dev/full\": No space left"},
    };
    for (const ConvertFailureCase& c : cases) {
        ScratchDirectory scratch("objtool");
        copyBox();
        std::filesystem::create_symlink("split_cube.obj", "link.obj");
        std::filesystem::create_directory("linked");
        std::filesystem::create_symlink("../split_cube.mtl", "linked/box.mtl");
        const std::vector<std::string> before = listing();
        const ToolRun run = objtool(c.args);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
        std::vector<std::string> expected = before;
        expected.insert(expected.end(), {"stderr.txt", "stdout.txt"});
        EXPECT_EQ(listing(), expected) << c.name;
        EXPECT_EQ(readFile("split_cube.mtl"),
                  readFile(std::string(OBJTOOL_DATA_DIR) + "/split_cube.mtl"))
            << c.name;
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// The output's material library is named after the output; the input's own library keeps
// all that the output cannot carry, and convert says what that is.
TEST(ObjtoolConvert, MaterialsGoToALibraryNamedAfterTheOutput) {
    ScratchDirectory scratch("objtool");
    const std::string library = "newmtl shiny\nKd 1 0 0\nmap_Kd shiny.png\nd 0.5\nillum 2\n";
    writeFile("in.mtl", library);
    writeFile("in.obj", "mtllib in.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl shiny\nf 1 2 3\n");
    const ToolRun run = objtool("convert --materials in.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile("in.mtl"), library);
    EXPECT_EQ(listing(), (std::vector<std::string>{"in.mtl", "in.obj", "out.mtl", "out.obj",
                                                   "stderr.txt", "stdout.txt"}));
    ModelPtr out = readBack("out.obj");
    ASSERT_NE(out, nullptr);
    EXPECT_STREQ(out->mtllib, "out.mtl");
    ASSERT_EQ(out->materialcount, 2u); // "default", written once, and "shiny"
    EXPECT_STREQ(out->materialtable[1].name, "shiny");
    EXPECT_EQ(run.err, "objtool: note: dropped \"map_Kd\": 1 line in in.mtl\n"
                       "objtool: note: dropped \"d\": 1 line in in.mtl\n"
                       "objtool: note: dropped \"illum\": 1 line in in.mtl\n");
}

// A write that fails part-way, here at the file size limit, leaves the output as it was:
// absent, or with its old text.
TEST(ObjtoolConvert, FailedWriteLeavesTheOutputAsItWas) {
    std::string big;
    for (int i = 0; i < 1000; i++) {
        big += "v " + std::to_string(i) + " 0 0\n";
    }
    for (const bool existed : {false, true}) {
        ScratchDirectory scratch("objtool");
        writeFile("big.obj", big);
        if (existed) {
            writeFile("out.obj", "previous\n");
        }
        const ToolRun run = objtool("convert big.obj out.obj", "trap '' XFSZ; ulimit -f 8; ");
        EXPECT_EQ(run.status, 1) << existed;
        EXPECT_NE(run.err.find("glmWriteOBJ() failed: can't write file"), std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("objtool: \"out.obj\" was left as it was\n"), std::string::npos)
            << run.err;
        std::vector<std::string> expected = {"big.obj", "stderr.txt", "stdout.txt"};
        if (existed) {
            expected.insert(expected.begin() + 1, "out.obj");
            EXPECT_EQ(readFile("out.obj"), "previous\n");
        }
        EXPECT_EQ(listing(), expected);
    }
}

// Faces with and without texture coordinates and normals in one model come back with the
// same corners, through our reader and through tinyobjloader.
TEST(ObjtoolConvert, MixedFacesKeepTheirCorners) {
    ScratchDirectory scratch("objtool");
    writeFile("mixed.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                           "vn 0 0 1\nvn 0 0 -1\n"
                           "f 1/1/1 2/2/1 3/3/2\nf 2//1 4//2 3//1\nf 2/1 4/2 3/3\nf 1 2 4\n");
    const ToolRun run = objtool("convert mixed.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    ModelPtr in = readBack("mixed.obj");
    ModelPtr out = readBack("out.obj");
    ASSERT_NE(out, nullptr) << readFile("out.obj");
    ASSERT_EQ(out->facecount, in->facecount);

    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn;
    std::string err;
    ASSERT_TRUE(tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, "out.obj")) << err;
    ASSERT_EQ(shapes.size(), 1u);
    ASSERT_EQ(shapes[0].mesh.indices.size(), 3u * in->facecount);
    for (std::uint32_t t = 0; t < in->facecount; t++) {
        const ObjTriangle& expected = in->faces[t];
        EXPECT_EQ(std::to_array(out->faces[t].vertexidx), std::to_array(expected.vertexidx)) << t;
        EXPECT_EQ(std::to_array(out->faces[t].texcoordidx), std::to_array(expected.texcoordidx))
            << t;
        EXPECT_EQ(std::to_array(out->faces[t].normalidx), std::to_array(expected.normalidx)) << t;
        for (int c = 0; c < 3; c++) {
            const tinyobj::index_t& index = shapes[0].mesh.indices[3 * t + c];
            // tinyobjloader counts from 0 and gives -1 for an index the face does not have.
            EXPECT_EQ(index.vertex_index, expected.vertexidx[c] - 1) << t << " " << c;
            EXPECT_EQ(index.texcoord_index, expected.texcoordidx[c] - 1) << t << " " << c;
            EXPECT_EQ(index.normal_index, expected.normalidx[c] - 1) << t << " " << c;
        }
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

// What ImageMagick prints for a command on the pictures in the working directory.
std::string magick(const std::string& command) {
    EXPECT_NE(std::system((command + " >magick.txt 2>&1").c_str()), -1) << command;
    return readFile("magick.txt");
}

// render runs without a display of any kind.
ToolRun render(const std::string& args) {
    return objtool("render " + args, "unset DISPLAY WAYLAND_DISPLAY; ");
}

struct CubeView {
    float yaw;
    float pitch;
    int faces; // the faces in sight, each lit by the head light at its own angle
};

// The box, fitted and seen from known angles with flat shading: a picture of the size asked
// for, the box whole and in the middle, and one shade per face in sight besides the
// background.
TEST(ObjtoolRender, FlatBoxShowsOneShadePerFaceInSight) {
    const CubeView views[] = {{0.0f, 0.0f, 1}, {30.0f, 0.0f, 2}, {30.0f, 20.0f, 3}};
    for (const CubeView& view : views) {
        ScratchDirectory scratch("objtool");
        copyBox();
        const ToolRun run =
            render("--mode flat --size 300x200 --yaw " + std::to_string(view.yaw) + " --pitch " +
                   std::to_string(view.pitch) + " split_cube.obj box.png");
        ASSERT_EQ(run.status, 0) << view.yaw << " " << view.pitch << ": " << run.err;
        int width = 0, height = 0, colours = 0, left = 0, top = 0, right = 0, bottom = 0;
        const std::string facts = magick("convert box.png -format '%w %h %k %@' info:");
        ASSERT_EQ(std::sscanf(facts.c_str(), "%d %d %d %dx%d+%d+%d", &width, &height, &colours,
                              &right, &bottom, &left, &top),
                  7)
            << facts;
        right += left;
        bottom += top;
        SCOPED_TRACE(facts);
        EXPECT_EQ(width, 300);
        EXPECT_EQ(height, 200);
        EXPECT_EQ(colours, view.faces + 1);
        EXPECT_TRUE(left > 0 && top > 0 && right < width && bottom < height);
        EXPECT_NEAR((left + right) / 2.0, width / 2.0, width * 0.05);
        EXPECT_NEAR((top + bottom) / 2.0, height / 2.0, height * 0.08);
        if (view.faces == 1) {
            // The camera keeps the fitted box's sphere (radius sqrt 3) within the 30 degree
            // field of view; the front face, 1 nearer, is a square of this many pixels.
            const double half = 15.0 * std::numbers::pi / 180.0;
            const double tanHalf = std::tan(half);
            const double distance = std::sqrt(3.0) / std::sin(half);
            const double side = height / (tanHalf * (distance - 1.0));
            EXPECT_NEAR(right - left, side, 1.5);
            EXPECT_NEAR(bottom - top, side, 1.5);
            EXPECT_NEAR(left, (width - side) / 2.0, 1.0);
        }
    }
}

// The gun in smooth and flat shading, and turned inside out by --flip, where the back faces
// that are not drawn are now the outside: three different pictures.
TEST(ObjtoolRender, ShadingAndWindingShowInTheGun) {
    ScratchDirectory scratch("objtool");
    const std::string gun = std::string(GALLERY_SOURCE_DIR) + "/modely/brokovnice.obj";
    for (const auto& [options, picture] : {std::pair{"--mode smooth", "smooth.png"},
                                           {"--mode flat", "flat.png"},
                                           {"--mode smooth --flip", "flipped.png"}}) {
        const ToolRun run = render(std::string(options) + " --yaw 70 '" + gun + "' " + picture);
        ASSERT_EQ(run.status, 0) << options << ": " << run.err;
    }
    for (const char* pair : {"smooth.png flat.png", "smooth.png flipped.png"}) {
        const std::string differing = magick(std::string("compare -metric AE ") + pair + " null:");
        EXPECT_GT(std::atof(differing.c_str()), 2000.0) << pair << ": " << differing;
    }
}

struct OddModel {
    const char* name;
    const char* text;
    const char* note;
    const char* picture; // ImageMagick's width, height and count of colours
};

// A model without triangles is an empty picture, said so; vertices that are not finite are
// left out of the fitting, and the rest still shows.
TEST(ObjtoolRender, OddModelsStillMakeAPicture) {
    const OddModel models[] = {
        {"points", "v 0 0 0\nv 1 2 3\n",
         "objtool: note: model.obj has no triangles; the picture is empty\n", "40 30 1"},
        {"infinite vertex", "v 0 0 0\nv inf 0 0\nv 1 0 0\nv 0 1 0\nf 1 3 4\nf 2 3 4\n", "",
         "40 30 2"},
    };
    for (const OddModel& m : models) {
        ScratchDirectory scratch("objtool");
        writeFile("model.obj", m.text);
        const ToolRun run = render("--mode flat --yaw 0 --pitch 0 --size 40x30 model.obj out.png");
        EXPECT_EQ(run.status, 0) << m.name << ": " << run.err;
        EXPECT_EQ(run.err, m.note) << m.name;
        EXPECT_EQ(magick("convert out.png -format '%w %h %k' info:"), m.picture) << m.name;
    }
}

TEST(ObjtoolView, WithoutADisplayIsStatusOneWithAMessage) {
    ScratchDirectory scratch("objtool");
    copyBox();
    const ToolRun run = objtool("view split_cube.obj", "unset DISPLAY; ");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "objtool: can't show \"split_cube.obj\": no display to open a window on "
                       "(DISPLAY is not set); render draws without one\n");
}

} // namespace
