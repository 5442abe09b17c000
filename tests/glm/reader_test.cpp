// Reading OBJ files: groups, materials, face forms, indices and malformed input.
#include "glm_reader.h"
#include "glm_test_util.h"
#include "read_alike.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Defined only where AddressSanitizer is linked in.
extern "C" void __asan_init() __attribute__((weak));

namespace {

std::vector<std::string> groupNames(const ObjModel* model) {
    std::vector<std::string> names;
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        names.emplace_back(group->name);
    }
    return names;
}

const ObjGroup* group(ObjModel* model, const char* name) {
    const ObjGroup* found = glmLookupGroup(model, name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

struct Corner {
    int vertex, texcoord, normal;
    bool operator==(const Corner&) const = default;
};

std::vector<Corner> corners(const ObjModel* model) {
    std::vector<Corner> all;
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        const ObjTriangle& triangle = model->faces[t];
        for (int c = 0; c < 3; c++) {
            all.push_back({triangle.vertexidx[c], triangle.texcoordidx[c], triangle.normalidx[c]});
        }
    }
    return all;
}

const char* const kFourVertices = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

TEST(ReaderGroups, DefaultIsLastAndHoldsFacesBeforeTheFirstGroupLine) {
    ModelPtr model = readModel(std::string(kFourVertices) +
                               "f 1 2 3\ng gun\nf 1 3 4\ng stock\nf 2 3 4\ng gun\nf 1 2 4\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(groupNames(model.get()), (std::vector<std::string>{"stock", "gun", "default"}));
    EXPECT_EQ(model->groupcount, 3u);
    EXPECT_EQ(group(model.get(), "default")->facecount, 1u);
    const ObjGroup* gun = group(model.get(), "gun");
    ASSERT_EQ(gun->facecount, 2u);
    EXPECT_EQ(gun->faceidx[0], 1u);
    EXPECT_EQ(gun->faceidx[1], 3u);
}

TEST(ReaderGroups, NamesLoseSurroundingBlanksAndLineBreaks) {
    // CRLF lines, tabs, and a last line without a line break keep the whole name.
    ModelPtr model = readModel(std::string(kFourVertices) +
                               "g  gun \r\nf 1 2 3\r\ng\tbarrel two\t\nf 1 3 4\ng default\nf 2 3 "
                               "4\ng stock");
    ASSERT_TRUE(model);
    EXPECT_EQ(groupNames(model.get()),
              (std::vector<std::string>{"stock", "barrel two", "gun", "default"}));
    EXPECT_EQ(group(model.get(), "default")->facecount, 1u);
    EXPECT_EQ(group(model.get(), "stock")->facecount, 0u);
}

// A group holds one name and one material: "usemtl" after a group's faces starts a group of
// the same name; right after "g" it gives the empty group its material. Groups are listed in
// the order they were created, and found by name as the first of that name.
TEST(ReaderMaterials, GroupsHoldOneNameAndOneMaterial) {
    const std::string mtl = "newmtl red\nKd 1 0 0\nnewmtl green\nKd 0 1 0\nnewmtl blue\n";
    ModelPtr model = readModel(std::string("mtllib model.mtl\n") + kFourVertices +
                                   "g a\nusemtl red\nf 1 2 3\nusemtl green\nf 1 3 4\n"
                                   "g b\nf 2 3 4\ng c\nusemtl blue\nf 1 2 4\ng a\nusemtl red\n"
                                   "f 2 3 4\n",
                               mtl);
    ASSERT_TRUE(model);
    ASSERT_EQ(model->materialcount, 4u);
    EXPECT_STREQ(model->mtllib, "model.mtl");
    std::vector<std::string> groups;
    for (const ObjGroup* g = model->grouplist; g != nullptr; g = g->next) {
        groups.insert(groups.begin(), std::string(g->name) + " " +
                                          model->materialtable[g->materialidx].name + " " +
                                          std::to_string(g->facecount));
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"default default 0", "a red 2", "a green 1",
                                                "b green 1", "c blue 1"}));
    EXPECT_EQ(group(model.get(), "a")->materialidx, 1u); // the first group of that name
}

TEST(ReaderMaterials, MtlKeywordsAndDefaults) {
    const std::string mtl = "Kd 0.5 0.5 0.5\n" // before any newmtl: changes "default"
                            "newmtl shiny\nNs 500\nNi 1.45\nKs 1 1 1\nKa 0.1 0.2 0.3\nKe 9 9 9\n"
                            "norm 1\nnewmtl plain\nd 0.5\nillum 2\n";
    ModelPtr model = readModel("mtllib model.mtl\n", mtl);
    ASSERT_TRUE(model);
    ASSERT_EQ(model->materialcount, 3u);
    const ObjMaterial* table = model->materialtable;
    EXPECT_STREQ(table[0].name, "default");
    EXPECT_FLOAT_EQ(table[0].diffusecolor[0], 0.5f);
    EXPECT_STREQ(table[1].name, "shiny");
    EXPECT_EQ(table[1].specularexponent, 64.0f); // 500 / 1000 * 128; "Ni" leaves it
    EXPECT_EQ(table[1].specularcolor[0], 1.0f);
    EXPECT_EQ(table[1].specularcolor[3], 1.0f);
    EXPECT_EQ(table[1].ambientcolor[2], 0.3f);
    EXPECT_EQ(table[1].diffusecolor[0], 0.8f);
    EXPECT_STREQ(table[2].name, "plain");
    EXPECT_EQ(table[2].specularexponent, 65.0f);
    EXPECT_EQ(table[2].ambientcolor[0], 0.2f);
}

TEST(ReaderMaterials, EveryLibraryOfEveryLineIsRead) {
    writeScratchFile("other.mtl", "newmtl one\nnewmtl a\nKd 0 0 1\nnewmtl two\n");
    ModelPtr model = readModel("mtllib model.mtl\nmtllib other.mtl model.mtl\nusemtl a\n",
                               "newmtl a\nKd 1 0 0\nnewmtl b\n");
    ASSERT_TRUE(model);
    EXPECT_STREQ(model->mtllib, "other.mtl model.mtl"); // the last line, as written
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < model->materialcount; i++) {
        names.emplace_back(model->materialtable[i].name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"default", "a", "b", "one", "a", "two"}));
    EXPECT_EQ(model->grouplist->materialidx, 1u); // the first "a" wins
}

TEST(ReaderFaces, FourFormsAndFanTriangulation) {
    ModelPtr model = readModel(std::string(kFourVertices) +
                               "v 2 2 0\nvt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\nvn 0 0 -1\n"
                               "f 1 2 3 4 5\n"
                               "f 1/1/2 2/2/1 3/3/2\n"
                               "f 1//2 2//1 3//2\n"
                               "f 1/3 2/2 3/1\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->facecount, 6u);
    const std::vector<Corner> expected = {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {1, 0, 0}, {3, 0, 0},
                                          {4, 0, 0}, {1, 0, 0}, {4, 0, 0}, {5, 0, 0}, {1, 1, 2},
                                          {2, 2, 1}, {3, 3, 2}, {1, 0, 2}, {2, 0, 1}, {3, 0, 2},
                                          {1, 3, 0}, {2, 2, 0}, {3, 1, 0}};
    EXPECT_EQ(corners(model.get()), expected);
}

TEST(ReaderFaces, NegativeIndicesCountBackFromTheLatestDefinition) {
    ModelPtr model = readModel("v 0 0 0\nv 1 0 0\nv 1 1 0\nvt 0 0\nvn 0 0 1\n"
                               "f -3/-1/-1 -2/-1/-1 -1/-1/-1\n"
                               "v 0 1 0\nf -4 -2 -1\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(
        corners(model.get()),
        (std::vector<Corner>{{1, 1, 1}, {2, 1, 1}, {3, 1, 1}, {1, 0, 0}, {3, 0, 0}, {4, 0, 0}}));
}

TEST(ReaderValues, CoordinatesAsWrittenAndMalformedNumbersLeaveZero) {
    // "vt" with three values keeps two; values end with their line; "o", "s" and "l" lines
    // are skipped; a value that does not convert stays 0.
    ModelPtr model = readModel("o thing\ns 1\nv 1.5 -2 3e2\nvt 0.5 0.25 0.0\nv 4\n5 6\n"
                               "v 7 x 9\nvn 0 0 1\nl 1 2\nf 1//1 2//1 3//1\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->vertexcount, 3u);
    const std::vector<float> vertices(model->vertices, model->vertices + 12);
    EXPECT_EQ(vertices, (std::vector<float>{0, 0, 0, 1.5f, -2, 300, 4, 0, 0, 7, 0, 0}));
    ASSERT_EQ(model->texcoordcount, 1u);
    EXPECT_EQ(model->texcoordarray[2], 0.5f);
    EXPECT_EQ(model->texcoordarray[3], 0.25f);
    EXPECT_EQ(model->facecount, 1u);
}

TEST(ReaderValues, EmptyFileGivesAnEmptyModel) {
    ModelPtr model = readModel("");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->vertexcount, 0u);
    EXPECT_NE(model->vertices, nullptr);
    EXPECT_EQ(model->normals, nullptr);
    EXPECT_EQ(model->texcoordarray, nullptr);
    EXPECT_EQ(model->materialtable, nullptr);
    EXPECT_EQ(groupNames(model.get()), std::vector<std::string>{"default"});
}

struct BadFile {
    const char* what;
    std::string obj;
    std::string message;
};

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.what;
}

class ReaderRefuses : public testing::TestWithParam<BadFile> {};

TEST_P(ReaderRefuses, WithAMessageNamingTheFileTheLineAndTheIndex) {
    std::string error;
    ModelPtr model = readModel(GetParam().obj, "", &error);
    EXPECT_FALSE(model);
    const std::string path = writeScratchFile("model.obj", GetParam().obj);
    EXPECT_EQ(error, "glmReadOBJ() failed: \"" + path + "\" " + GetParam().message);
    expectAlikeOnAnyThreads(path);
}

const std::string kTriangle = "v 0 0 0\nv 1 0 0\nv 1 1 0\n";

INSTANTIATE_TEST_SUITE_P(
    BadFiles, ReaderRefuses,
    testing::Values(
        BadFile{"ZeroIndex", kTriangle + "f 0 1 2\n",
                "line 4: vertex index 0 is out of range: the file defines 3."},
        BadFile{"PastTheEndOnAContinuedLine", kTriangle + "\nf 1 2 \\\n4\n",
                "line 6: vertex index 4 is out of range: the file defines 3."},
        BadFile{"TooFarBack", kTriangle + "f -1 -2 -4\n",
                "line 4: vertex index -4 is out of range: 3 defined before it."},
        BadFile{"TooFarBackBeforeMoreVertices", kTriangle + "f -1 -2 -4\nv 0 0 1\n",
                "line 4: vertex index -4 is out of range: 3 defined before it."},
        BadFile{"ZeroByte", kTriangle + std::string("f 1 2 3 \0\n", 10),
                "line 4: the line holds a zero byte; only text is read."},
        BadFile{"NormalWithoutNormals", kTriangle + "f 1//1 2//1 3//1\n",
                "line 4: normal index 1 refers to nothing: the file defines no normals."},
        BadFile{"TexcoordWithoutTexcoords", kTriangle + "f 1/1 2/1 3/1\n",
                "line 4: texture coordinate index 1 refers to nothing: the file defines no texture "
                "coordinates."},
        BadFile{"HugeIndex", kTriangle + "f 1 2 99999999999\n",
                "line 4: vertex index 99999999999 is out of range: the file defines 3."},
        BadFile{"HugeNegativeIndex", kTriangle + "f 1 2 -99999999999999999999999\n",
                "line 4: vertex index -99999999999999999999999 is out of range: 3 defined "
                "before it."},
        BadFile{"TwoVertices", kTriangle + "f 1 2\nf 1 2 3\n",
                "line 4: a face needs at least three vertices."},
        BadFile{"EmptyFace", kTriangle + "f", "line 4: a face needs at least three vertices."}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.what); });

// Files as real exporters and other projects write them. Each row is a small OBJ file (and
// its MTL file) with the model it reads as, in describe()'s words, or the exact message;
// "{dir}" stands for the files' folder.
struct RealFile {
    const char* what;
    std::string obj;
    std::string mtl;
    std::string model;
    std::string message;
};

void PrintTo(const RealFile& file, std::ostream* out) {
    *out << file.what;
}

// The vertices, the material names, then each group with its material and its triangles'
// corners as vertex/texture coordinate/normal.
std::string describe(const ObjModel* model) {
    std::ostringstream text;
    text << "v";
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        text << " " << model->vertices[3 * i] << "," << model->vertices[3 * i + 1] << ","
             << model->vertices[3 * i + 2];
    }
    text << "\nmaterials";
    for (std::uint32_t i = 0; i < model->materialcount; i++) {
        text << " " << model->materialtable[i].name;
    }
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        text << "\n" << group->name << " " << group->materialidx << ":";
        for (std::uint32_t i = 0; i < group->facecount; i++) {
            const ObjTriangle& triangle = model->faces[group->faceidx[i]];
            for (int c = 0; c < 3; c++) {
                text << (c == 0 ? " (" : " ") << triangle.vertexidx[c] << "/"
                     << triangle.texcoordidx[c] << "/" << triangle.normalidx[c];
            }
            text << ")";
        }
    }
    return text.str();
}

class ReaderOnRealFiles : public testing::TestWithParam<RealFile> {};

TEST_P(ReaderOnRealFiles, ReadTheWholeModelOrSayWhyNot) {
    const RealFile& file = GetParam();
    std::filesystem::remove(writeScratchFile("model.mtl", ""));
    std::string error;
    ModelPtr model = readModel(file.obj, file.mtl, &error);
    if (!file.message.empty()) {
        EXPECT_FALSE(model);
        std::string message = file.message;
        const std::string path = writeScratchFile("model.obj", file.obj);
        message.replace(message.find("{dir}"), 5, path.substr(0, path.rfind('/') + 1));
        EXPECT_EQ(error, message);
    } else {
        ASSERT_TRUE(model) << error;
        EXPECT_EQ(describe(model.get()), file.model);
    }
    expectAlikeOnAnyThreads(writeScratchFile("model.obj", file.obj));
}

const std::string kQuad = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
const std::string kQuadVertices = "v 0,0,0 1,0,0 1,1,0 0,1,0\nmaterials";

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderOnRealFiles,
    testing::Values(
        RealFile{"Continuations",
                 "v 0 0 0\nv 1 0 0\nv 1 1 \\\r\n 5\nv 0 1 0\nf 1 2 \\\n 3 4\\\n\n"
                 "g left \\\n arm\nf 4 3 2\n",
                 "",
                 "v 0,0,0 1,0,0 1,1,5 0,1,0\nmaterials\nleft   arm 0: (4/0/0 3/0/0 2/0/0)\n"
                 "default 0: (1/0/0 2/0/0 3/0/0) (1/0/0 3/0/0 4/0/0)",
                 ""},
        RealFile{"KeywordsPastThe127thCharacter",
                 "# " + std::string(125, '#') + " f 1 2 3\no " + std::string(125, 'o') +
                     " g oops\nvt 0 0 " + std::string(120, '0') + " mtllib nowhere.mtl\n" + kQuad +
                     "s " + std::string(125, 's') + " usemtl nothing\nf 1 2 3\n",
                 "",
                 kQuadVertices + "\n" + std::string(125, 'o') +
                     " g oops 0: (1/0/0 2/0/0 3/0/0)\ndefault 0:", // "o" names groups
                 ""},
        RealFile{"NamesOf300Characters",
                 "mtllib model.mtl\n" + kQuad + "g " + std::string(300, 'g') + "\nusemtl " +
                     std::string(300, 'm') + "\nf 1 2 3\n",
                 "newmtl other\nnewmtl " + std::string(300, 'm') + "\n",
                 kQuadVertices + " default other " + std::string(300, 'm') + "\n" +
                     std::string(300, 'g') + " 2: (1/0/0 2/0/0 3/0/0)\ndefault 0:",
                 ""},
        RealFile{"Utf8ByteOrderMarks",
                 "\xEF\xBB\xBFv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nmtllib model.mtl\n"
                 "usemtl red\nf 4 2 3\n",
                 "\xEF\xBB\xBFnewmtl red\n",
                 kQuadVertices + " default red\ndefault 1: (4/0/0 2/0/0 3/0/0)", ""},
        RealFile{"Utf16File", std::string("\xFF\xFEv\0 \0\x30\0\n\0", 10), "", "",
                 "glmReadOBJ() failed: \"{dir}model.obj\": the file starts with a UTF-16 "
                 "byte-order mark; only ASCII and UTF-8 text is read."},
        RealFile{"Utf32MaterialLibrary", "mtllib model.mtl\nusemtl a\n",
                 std::string("\xFF\xFE\0\0n\0\0\0", 8), "v\nmaterials\ndefault 0:", ""},
        RealFile{"BareFace", kQuad + "f\nf 1 2 3\n", "", "",
                 "glmReadOBJ() failed: \"{dir}model.obj\" line 5: a face needs at least "
                 "three vertices."},
        RealFile{"FaceWithEmptyNormals", kQuad + "vn 0 0 1\nf 1// 2// 3//\n", "", "",
                 "glmReadOBJ() failed: \"{dir}model.obj\" line 6: missing normal index in "
                 "\"1//\"."},
        RealFile{"FaceWithAnEmptyTextureCoordinate",
                 kQuad + "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 \\\n 3//1\n", "", "",
                 "glmReadOBJ() failed: \"{dir}model.obj\" line 8: empty texture coordinate "
                 "index in \"3//1\"."},
        RealFile{"FaceOfMixedForms", kQuad + "vt 0 0\nf 1 2/1 3\n", "", "",
                 "glmReadOBJ() failed: \"{dir}model.obj\" line 6: unexpected texture "
                 "coordinate index in \"2/1\": the face's first vertex \"1\" has none."},
        RealFile{"FaceWithAMalformedVertex", kQuad + "f 1 2 +-3\n", "", "",
                 "glmReadOBJ() failed: \"{dir}model.obj\" line 5: \"+-3\" is no face vertex (v, "
                 "v/t, v//n or v/t/n)."},
        RealFile{"WholeKeywords",
                 "maplib nowhere.mtl\nusemap red\nfo 1 2 3\n" + kQuad + "f 1 2 3\n", "",
                 kQuadVertices + "\ndefault 0: (1/0/0 2/0/0 3/0/0)", ""},
        RealFile{"ProseIsNoModel", "Dear reader,\nthis is a letter.\n", "", "",
                 "glmReadOBJ() failed: \"{dir}model.obj\": it holds no OBJ statement: it is no "
                 "OBJ file."},
        RealFile{"MaterialNamedDefault", "mtllib model.mtl\n" + kQuad + "usemtl default\nf 1 2 3\n",
                 "newmtl red\nnewmtl default\nKd 0 0 1\n",
                 kQuadVertices + " default red\ndefault 0: (1/0/0 2/0/0 3/0/0)", ""}),
    [](const testing::TestParamInfo<RealFile>& info) { return std::string(info.param.what); });

// A memory figure of this process in KiB: "VmHWM:", the peak resident memory since the last
// reset, or "VmSize:", the address space.
long memoryKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) {
            return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
        }
    }
    return 0;
}

// A file without a line break, here /dev/zero as the model and through a material library
// link, stops the reading at the line limit in a moment, and memory grows by little more
// than it.
TEST(ReaderFiles, EndlessLineIsRefusedWithBoundedMemory) {
    const std::string obj = writeScratchFile("zero.obj", "mtllib zero.mtl\n");
    const std::string directory = obj.substr(0, obj.rfind('/') + 1);
    std::filesystem::remove(directory + "zero.mtl");
    std::filesystem::create_symlink("/dev/zero", directory + "zero.mtl");
    // AddressSanitizer's allocator keeps freed blocks a while: the bounds hold without it.
    const bool sanitized = &__asan_init != nullptr;
    const ChildRun run = runInChild([&] {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";
        reset.close();
        if (!reset) {
            std::exit(3);
        }
        const long before = memoryKiB("VmHWM:");
        // A reader that ignored the limit would take all memory: a gibibyte more stops it.
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = static_cast<rlim_t>(memoryKiB("VmSize:") + (1 << 20)) << 10;
        if (!sanitized && setrlimit(RLIMIT_AS, &limit) != 0) {
            std::exit(4);
        }
        std::string error;
        if (glmTryReadOBJ("/dev/zero", &error) != nullptr) {
            std::exit(2);
        }
        std::printf("%s\n", error.c_str());
        // A library is a side file: the model reads without it, with a warning.
        ModelPtr model(glmTryReadOBJ(obj.c_str(), &error));
        if (model == nullptr) {
            std::exit(2);
        }
        std::printf("%ld\n", (memoryKiB("VmHWM:") - before) >> 10);
    });
    ASSERT_EQ(run.exitStatus, 0);
    std::istringstream lines(run.out);
    std::string fromModel;
    std::string fromLibrary;
    long growthMiB = 0;
    std::getline(lines, fromModel);
    std::getline(lines, fromLibrary);
    lines >> growthMiB;
    EXPECT_EQ(fromModel,
              "glmReadOBJ() failed: \"/dev/zero\" line 1: the line is longer than 64 MiB.");
    EXPECT_EQ(fromLibrary, "glmReadMTL() warning: can't read material file \"" + directory +
                               "zero.mtl\": line 1: the line is longer than 64 MiB; the model "
                               "is read without its materials.");
    if (!sanitized) {
        EXPECT_LE(growthMiB, 64 + 16);
    }
}

// Files are read a stretch of whole lines at a time; vertices and faces that continue on
// later lines, and a line longer than the stretch buffer, must read as from one text.
TEST(ReaderFiles, ReadingInStretchesMatchesReadingFromMemory) {
    std::string obj = "g first\n";
    for (int i = 0; i < 100000; i++) {
        obj += "v " + std::to_string(i) + " \\\n" + std::to_string(i % 7) + ".25 \\\r\n-" +
               std::to_string(i % 11) + "e-3\n";
    }
    obj += "# " + std::string(3 << 20, 'x') + "\ng second\n";
    for (int i = 1; i + 3 <= 100000; i += 3) {
        obj += "f " + std::to_string(i) + "\\\n" + std::to_string(i + 1) + "\\\n\\\n" +
               std::to_string(i + 2) + " -1\n";
    }
    obj += "g last";
    ModelPtr fromFile = readModel(obj);
    ASSERT_TRUE(fromFile);
    objreader::Failure failure;
    ModelPtr fromMemory(objreader::readOBJText("memory.obj", obj, "", &failure));
    ASSERT_TRUE(fromMemory) << failure.message;
    ASSERT_EQ(fromFile->vertexcount, 100000u);
    ASSERT_EQ(fromFile->facecount, fromMemory->facecount);
    EXPECT_EQ(fromFile->facecount, 2 * 33333u);
    EXPECT_EQ(std::memcmp(fromFile->vertices, fromMemory->vertices,
                          (fromFile->vertexcount + 1) * 3 * sizeof(float)),
              0);
    EXPECT_EQ(
        std::memcmp(fromFile->faces, fromMemory->faces, fromFile->facecount * sizeof(ObjTriangle)),
        0);
    EXPECT_EQ(fromFile->vertices[3 * 100000 + 2], -9e-3f); // written as 99999, 4.25, -9e-3
    EXPECT_EQ(groupNames(fromFile.get()),
              (std::vector<std::string>{"last", "second", "first", "default"}));
    EXPECT_EQ(group(fromFile.get(), "second")->facecount, fromFile->facecount);
}

// What the reader leaves out, file by file, so that a tool can say what a copy will lack.
TEST(ReaderReport, NamesTheLibrariesAndTheSkippedStatements) {
    writeScratchFile("model.mtl", "newmtl red\nillum 2\nmap_Kd red.png\nillum 1\n");
    const std::string obj = "mtllib model.mtl nowhere.mtl\no thing\ns 1\n" + kQuad +
                            "g part\nmaplib x\nl 1 2\ns off\nusemtl red\nf 1 2 3\n";
    const std::string path = writeScratchFile("model.obj", obj);
    const std::string directory = path.substr(0, path.rfind('/') + 1);
    ObjReadReport report;
    ModelPtr model(glmReadOBJWith(path.c_str(), {0, -1, &report}, nullptr));
    ASSERT_TRUE(model);
    ASSERT_EQ(report.libraries.size(), 2u);
    EXPECT_EQ(report.libraries[0].path, directory + "model.mtl");
    EXPECT_EQ(report.libraries[0].problem, "");
    EXPECT_EQ(report.libraries[1].name, "nowhere.mtl");
    EXPECT_EQ(report.libraries[1].problem, "No such file or directory");
    std::vector<std::string> skipped;
    for (const ObjSkippedStatements& kind : report.skipped) {
        skipped.push_back(kind.keyword + " " + std::to_string(kind.count) + " " +
                          kind.file.substr(directory.size()));
    }
    // "o" names no group in a file with "g".
    EXPECT_EQ(skipped, (std::vector<std::string>{"o 1 model.obj", "s 2 model.obj",
                                                 "maplib 1 model.obj", "l 1 model.obj",
                                                 "illum 2 model.mtl", "map_Kd 1 model.mtl"}));
    EXPECT_EQ(report.warnings.size(), 1u); // nowhere.mtl
    EXPECT_EQ(report.error, 0);

    ObjReadReport withoutGroups;
    ModelPtr objects(glmReadOBJWith(writeScratchFile("model.obj", "o thing\n" + kQuad).c_str(),
                                    {0, -1, &withoutGroups}, nullptr));
    ASSERT_TRUE(objects);
    EXPECT_TRUE(withoutGroups.skipped.empty());
    EXPECT_STREQ(objects->grouplist->name, "thing");

    ObjReadReport missing;
    EXPECT_EQ(glmReadOBJWith(directory.c_str(), {0, -1, &missing}, nullptr), nullptr);
    EXPECT_EQ(missing.error, EISDIR);
}

TEST(ReaderFiles, FolderIsNoDataFile) {
    const std::string folder = writeScratchFile("model.obj", "");
    const std::string directory = folder.substr(0, folder.rfind('/'));
    std::string error;
    EXPECT_EQ(glmTryReadOBJ(directory.c_str(), &error), nullptr);
    EXPECT_EQ(error, "glmReadOBJ() failed: can't open data file \"" + directory + "\".");
}

TEST(ReaderPaths, DirectoryOfAPath) {
    const std::pair<const char*, const char*> cases[] = {{"modely/brokovnice.obj", "modely/"},
                                                         {"gun.obj", ""},
                                                         {"/a/b/c.obj", "/a/b/"},
                                                         {"dir/", "dir/"},
                                                         {"", ""},
                                                         {"a\\b.obj", ""}};
    for (const auto& [path, directory] : cases) {
        char* result = glmPathDirectory(path);
        EXPECT_STREQ(result, directory) << path;
        std::free(result);
    }
}

} // namespace
