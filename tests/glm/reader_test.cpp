// Reading OBJ files: groups, materials, face forms, indices and malformed input.
#include "glm_reader.h"
#include "glm_test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

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

TEST(ReaderGroups, LongGroupLineIsCutIntoPiecesWithoutOverflow) {
    const std::string name(300, 'x');
    ModelPtr model = readModel(std::string(kFourVertices) + "g " + name + "\nf 1 2 3\n");
    ASSERT_TRUE(model);
    // The first 127 characters name the group; the rest of the line is read as words.
    EXPECT_EQ(groupNames(model.get())[0], std::string(126, 'x'));
}

TEST(ReaderMaterials, GroupTakesTheLastMaterialSetWhileItWasCurrent) {
    const std::string mtl = "newmtl red\nKd 1 0 0\nnewmtl green\nKd 0 1 0\nnewmtl blue\n";
    ModelPtr model = readModel(std::string("mtllib model.mtl\n") + kFourVertices +
                                   "g a\nusemtl red\nf 1 2 3\nusemtl green\nf 1 3 4\n"
                                   "g b\nf 2 3 4\ng c\nusemtl blue\nf 1 2 4\ng b\n",
                               mtl);
    ASSERT_TRUE(model);
    ASSERT_EQ(model->materialcount, 4u);
    EXPECT_STREQ(model->mtllib, "model.mtl");
    EXPECT_EQ(group(model.get(), "a")->materialidx, 2u); // second usemtl wins
    EXPECT_EQ(group(model.get(), "b")->materialidx, 3u); // named again while blue was current
    EXPECT_EQ(group(model.get(), "c")->materialidx, 3u);
    EXPECT_EQ(group(model.get(), "default")->materialidx, 0u);
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

TEST(ReaderMaterials, SecondLibraryReplacesTheFirst) {
    writeScratchFile("other.mtl", "newmtl one\nnewmtl two\n");
    ModelPtr model =
        readModel("mtllib model.mtl\nmtllib other.mtl\n", "newmtl a\nnewmtl b\nnewmtl c\n");
    ASSERT_TRUE(model);
    EXPECT_STREQ(model->mtllib, "other.mtl");
    ASSERT_EQ(model->materialcount, 3u);
    EXPECT_STREQ(model->materialtable[2].name, "two");
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
    // "vt" with three values keeps two; numbers may continue on the next line; "o", "s"
    // and "l" lines are skipped; a value that does not convert stays 0.
    ModelPtr model = readModel("o thing\ns 1\nv 1.5 -2 3e2\nvt 0.5 0.25 0.0\nv 4\n5 6\n"
                               "v 7 x 9\nvn 0 0 1\nl 1 2\nf 1//1 2//1 3//1\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->vertexcount, 3u);
    const std::vector<float> vertices(model->vertices, model->vertices + 12);
    EXPECT_EQ(vertices, (std::vector<float>{0, 0, 0, 1.5f, -2, 300, 4, 5, 6, 7, 0, 0}));
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
}

const std::string kTriangle = "v 0 0 0\nv 1 0 0\nv 1 1 0\n";

INSTANTIATE_TEST_SUITE_P(
    BadFiles, ReaderRefuses,
    testing::Values(
        BadFile{"ZeroIndex", kTriangle + "f 0 1 2\n",
                "line 4: vertex index 0 is out of range: the file defines 3."},
        BadFile{"PastTheEnd", kTriangle + "\nf 1 2\n4\n",
                "line 6: vertex index 4 is out of range: the file defines 3."},
        BadFile{"TooFarBack", kTriangle + "f -1 -2 -4\n",
                "line 4: vertex index -4 is out of range: 3 defined before it."},
        BadFile{"NormalWithoutNormals", kTriangle + "f 1//1 2//1 3//1\n",
                "line 4: normal index 1 refers to nothing: the file defines no normals."},
        BadFile{"TexcoordWithoutTexcoords", kTriangle + "f 1/1 2/1 3/1\n",
                "line 4: texture coordinate index 1 refers to nothing: the file defines no texture "
                "coordinates."},
        BadFile{"HugeIndex", kTriangle + "f 1 2 99999999999\n",
                "line 4: vertex index 2147483647 is out of range: the file defines 3."},
        BadFile{"TwoVertices", kTriangle + "f 1 2\nf 1 2 3\n",
                "line 4: a face needs at least three vertices."},
        BadFile{"EmptyFace", kTriangle + "f", "line 4: a face needs at least three vertices."},
        BadFile{"KeywordAfterData", kTriangle + "v 1 2 3 vn 0 0 1\n",
                "line 4: \"vn\" stands inside a line (after data, or past 127 characters)."},
        BadFile{"FaceAfterData", kTriangle + "v 1 1 1 f 1 2 3\n",
                "line 4: \"f\" stands inside a line (after data, or past 127 characters)."}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.what); });

// Files are read a stretch of whole lines at a time; numbers and faces that continue on
// later lines, and a line longer than the stretch buffer, must read as from one text.
TEST(ReaderFiles, ReadingInStretchesMatchesReadingFromMemory) {
    std::string obj = "g first\n";
    for (int i = 0; i < 100000; i++) {
        obj += "v " + std::to_string(i) + "\n" + std::to_string(i % 7) + ".25\n-" +
               std::to_string(i % 11) + "e-3\n";
    }
    obj += "# " + std::string(3 << 20, 'x') + "\ng second\n";
    for (int i = 1; i + 3 <= 100000; i += 3) {
        obj += "f " + std::to_string(i) + "\n" + std::to_string(i + 1) + "\n\n" +
               std::to_string(i + 2) + " -1\n";
    }
    obj += "g last";
    ModelPtr fromFile = readModel(obj);
    ASSERT_TRUE(fromFile);
    ObjReadFailure failure;
    ModelPtr fromMemory(glmReadOBJText("memory.obj", obj, "", &failure));
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
