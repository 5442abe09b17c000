// Every face keeps the material its file gives it, however the file groups its faces and names
// its materials and libraries, whatever its line ends, and after a round trip through the
// writer.
#include "glm_test_util.h"
#include "read_alike.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>
#include <vector>

namespace {

struct FaceMaterials {
    const char* what;
    std::string obj;
    std::vector<std::pair<std::string, std::string>> files; // beside the model: name, text
    std::string materials; // each triangle's in file order: Red, Green, Blue or Default
};

void PrintTo(const FaceMaterials& row, std::ostream* out) {
    *out << row.what;
}

// The letter of a diffuse colour.
char colourOf(const float* kd) {
    const std::pair<char, std::array<float, 3>> colours[] = {
        {'R', {1, 0, 0}}, {'G', {0, 1, 0}}, {'B', {0, 0, 1}}, {'D', {0.8f, 0.8f, 0.8f}}};
    for (const auto& [letter, rgb] : colours) {
        if (kd[0] == rgb[0] && kd[1] == rgb[1] && kd[2] == rgb[2]) {
            return letter;
        }
    }
    return '?';
}

std::string faceMaterials(const ObjModel* model) {
    std::string letters(model->facecount, '-');
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        const char letter = model->materialtable == nullptr
                                ? 'D'
                                : colourOf(model->materialtable[group->materialidx].diffusecolor);
        for (std::uint32_t i = 0; i < group->facecount; i++) {
            letters[group->faceidx[i]] = letter;
        }
    }
    return letters;
}

// Each triangle's corners with its material, in no order: writing lists triangles by group.
std::vector<std::string> trianglesWithMaterials(const ObjModel* model) {
    const std::string letters = faceMaterials(model);
    std::vector<std::string> triangles;
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        const std::int32_t* corners = model->faces[t].vertexidx;
        triangles.push_back(std::to_string(corners[0]) + " " + std::to_string(corners[1]) + " " +
                            std::to_string(corners[2]) + " " + letters[t]);
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

class ReaderFaceMaterials : public testing::TestWithParam<FaceMaterials> {};

TEST_P(ReaderFaceMaterials, EveryTriangleHasItsOwnMaterialAlsoAfterWriting) {
    const FaceMaterials& row = GetParam();
    const std::filesystem::path folder =
        std::filesystem::path(writeScratchFile("model.obj", row.obj)).parent_path();
    for (const auto& [name, text] : row.files) {
        writeScratchFile(name, text);
    }
    const std::string path = (folder / "model.obj").string();
    testing::internal::CaptureStdout();
    std::string error;
    ModelPtr model(glmTryReadOBJ(path.c_str(), &error));
    ASSERT_TRUE(model) << error;
    EXPECT_EQ(faceMaterials(model.get()), row.materials);

    const std::filesystem::path copies = folder / "roundtrip";
    std::filesystem::remove_all(copies);
    std::filesystem::create_directory(copies);
    const std::string copy = (copies / "model.obj").string();
    glmWriteOBJ(model.get(), copy.c_str(), ObjModeMaterial);
    ModelPtr again(glmTryReadOBJ(copy.c_str(), &error));
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(trianglesWithMaterials(again.get()), trianglesWithMaterials(model.get()));
    EXPECT_EQ(again->groupcount, model->groupcount);
    EXPECT_EQ(again->materialcount, model->materialcount);
    expectAlikeOnAnyThreads(path);
    for (const auto& file : row.files) {
        std::filesystem::remove(folder / file.first);
    }
}

const std::string kQuad = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
const std::pair<std::string, std::string> kColours = {
    "colours.mtl", "newmtl red\nKd 1 0 0\nnewmtl green\nKd 0 1 0\nnewmtl blue\nKd 0 0 1\n"};

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderFaceMaterials,
    testing::Values(
        FaceMaterials{"ObjectsWithoutGroups",
                      "mtllib colours.mtl\no Cube\n" + kQuad +
                          "usemtl red\ns off\nf 1 2 3\nf 1 3 4\no Plane\nv 0 0 1\nv 1 0 1\n"
                          "v 1 1 1\nv 0 1 1\nusemtl green\nf 5 6 7\nusemtl blue\nf 5 7 8\n",
                      {kColours},
                      "RRGB"},
        FaceMaterials{"UseBeforeAndAfterGroupLines",
                      "mtllib colours.mtl\n" + kQuad +
                          "usemtl red\ng a\nf 1 2 3\ng b\nusemtl green\nf 1 3 4\ng a\nf 2 3 4\n",
                      {kColours},
                      "RGG"},
        FaceMaterials{"SwitchInsideAGroupAndBack",
                      "mtllib colours.mtl\n" + kQuad +
                          "g a\nusemtl red\nf 1 2 3\nusemtl green\nf 1 3 4\nusemtl red\n"
                          "f 2 3 4\nf 1 2 4\n",
                      {kColours},
                      "RGRR"},
        FaceMaterials{"FacesBeforeTheFirstUse",
                      "mtllib colours.mtl\n" + kQuad + "f 1 2 3\nusemtl blue\nf 1 3 4\n",
                      {kColours},
                      "DB"},
        FaceMaterials{"NamesWithBlanks",
                      "mtllib names.mtl\n" + kQuad +
                          "usemtl my blue \nf 1 2 3\nusemtl\t my red\nf 1 3 4\n",
                      {{"names.mtl", "newmtl my red\nKd 1 0 0\nnewmtl my blue \nKd 0 0 1\n"}},
                      "BR"},
        FaceMaterials{"TwoLibrariesOnOneLine",
                      "mtllib reds.mtl greens.mtl\n" + kQuad +
                          "usemtl green\nf 1 2 3\nusemtl red\nf 1 3 4\n",
                      {{"reds.mtl", "newmtl red\nKd 1 0 0\n"},
                       {"greens.mtl", "newmtl green\nKd 0 1 0\nnewmtl red\nKd 0 0 1\n"}},
                      "GR"},
        FaceMaterials{"LibraryNameWithABlank",
                      "mtllib my colours.mtl\n" + kQuad + "usemtl red\nf 1 2 3\n",
                      {{"my colours.mtl", kColours.second}},
                      "R"},
        FaceMaterials{"CarriageReturnsOnly",
                      "mtllib cr.mtl\rv 0 0 0\rv 1 0 0\rv 1 1 0\rusemtl red\rf 1 2 3\r"
                      "usemtl green\rf 1 3 2\r",
                      {{"cr.mtl", "newmtl red\rKd 1 0 0\rnewmtl green\rKd 0 1 0\r"}},
                      "RG"},
        FaceMaterials{"AStrayCarriageReturn",
                      "mtllib colours.mtl\n" + kQuad + "usemtl red\nf 1 2 3\rf 1 3 4\n",
                      {kColours},
                      "RR"},
        FaceMaterials{
            "MissingLibrary", "mtllib nowhere.mtl\n" + kQuad + "usemtl red\nf 1 2 3\n", {}, "D"}),
    [](const testing::TestParamInfo<FaceMaterials>& info) { return std::string(info.param.what); });

} // namespace
