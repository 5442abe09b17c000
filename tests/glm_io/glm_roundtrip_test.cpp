// Written and read back through the library's own reader: everything survives, with one known
// change (the material table gains a second "default").
#include "gallery/glm.h"
#include "model_fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

// A group's triangles as vertex, texture and normal triples, in the group's order.
struct GroupContent {
    std::vector<Corners> vertices, texcoords, normals;
    std::string material;
    bool operator==(const GroupContent&) const = default;
};

std::map<std::string, GroupContent> groupsByName(const ObjModel* model) {
    std::map<std::string, GroupContent> groups;
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        GroupContent& content = groups[group->name];
        for (std::uint32_t i = 0; i < group->facecount; i++) {
            const ObjTriangle& t = model->faces[group->faceidx[i]];
            content.vertices.push_back(std::to_array(t.vertexidx));
            content.texcoords.push_back(std::to_array(t.texcoordidx));
            content.normals.push_back(std::to_array(t.normalidx));
        }
        if (model->materialtable != nullptr) {
            content.material = model->materialtable[group->materialidx].name;
        }
    }
    return groups;
}

void expectSameArray(const float* read, const float* written, std::uint32_t count, int size,
                     const char* what) {
    for (std::size_t i = size; i < (std::size_t{count} + 1) * size; i++) {
        EXPECT_NEAR(read[i], written[i], 5e-7) << what << " value " << i;
    }
}

// The cube with vertex normals, texture coordinates, two named groups and materials whose
// "default" has the library's default values, as a reader would make it.
ModelPtr fullCube() {
    ModelPtr model = buildCube();
    std::vector<Vec3> normals;
    std::vector<std::array<float, 2>> texcoords;
    std::vector<Corners> indices;
    for (std::uint32_t i = 1; i <= 8; i++) {
        const float* v = model->vertices + 3 * i;
        normals.push_back({v[0] * 0.577350f, v[1] * 0.577350f, v[2] * 0.577350f});
        texcoords.push_back({0.125f * static_cast<float>(i), 0.5f});
    }
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        indices.push_back(std::to_array(model->faces[t].vertexidx));
    }
    setNormals(model.get(), normals, indices);
    setTexcoords(model.get(), texcoords, indices);
    setMaterials(model.get(), "full.mtl",
                 {{"default", {0.2f, 0.2f, 0.2f}, {0.8f, 0.8f, 0.8f}, {0, 0, 0}, 65},
                  {"red", {0.125f, 0, 0}, {1, 0, 0}, {0.5f, 0.5f, 0.5f}, 64}});
    addGroup(model.get(), "front", {2, 3}, 1);
    addGroup(model.get(), "top", {10, 11}, 0);
    return model;
}

TEST(GlmRoundTrip, ModelComesBackWithItsVerticesTrianglesGroupsAndMaterials) {
    ScratchDirectory scratch("glm_roundtrip");
    ModelPtr model = fullCube();
    glmWriteOBJ(model.get(), "full.obj", ObjModeSmooth | ObjModeTexture | ObjModeMaterial);
    ModelPtr read(glmReadOBJ("full.obj"));

    ASSERT_EQ(read->vertexcount, model->vertexcount);
    expectSameArray(read->vertices, model->vertices, model->vertexcount, 3, "vertices");
    ASSERT_EQ(read->normalcount, model->normalcount);
    expectSameArray(read->normals, model->normals, model->normalcount, 3, "normals");
    ASSERT_EQ(read->texcoordcount, model->texcoordcount);
    expectSameArray(read->texcoordarray, model->texcoordarray, model->texcoordcount, 2,
                    "texture coordinates");
    EXPECT_EQ(read->facecount, model->facecount);

    // Every group comes back under its name ("g default" names the reader's own "default").
    EXPECT_EQ(groupsByName(read.get()), groupsByName(model.get()));
    EXPECT_EQ(read->groupcount, model->groupcount);

    // The written "default" is the reader's own entry 0 again, never a second one.
    ASSERT_EQ(read->materialcount, model->materialcount);
    for (std::uint32_t m = 0; m < model->materialcount; m++) {
        const ObjMaterial& before = model->materialtable[m];
        const ObjMaterial& after = read->materialtable[m];
        EXPECT_STREQ(after.name, before.name);
        for (int c = 0; c < 4; c++) {
            EXPECT_FLOAT_EQ(after.ambientcolor[c], before.ambientcolor[c]) << before.name;
            EXPECT_FLOAT_EQ(after.diffusecolor[c], before.diffusecolor[c]) << before.name;
            EXPECT_FLOAT_EQ(after.specularcolor[c], before.specularcolor[c]) << before.name;
        }
        EXPECT_FLOAT_EQ(after.specularexponent, before.specularexponent) << before.name;
    }
}

TEST(GlmRoundTrip, FacetNormalsComeBackAsTheVertexNormals) {
    ScratchDirectory scratch("glm_roundtrip");
    ModelPtr model = buildCube();
    glmBuildFacetNormals(model.get());
    glmWriteOBJ(model.get(), "flat.obj", ObjModeFlat);
    ModelPtr read(glmReadOBJ("flat.obj"));

    ASSERT_EQ(read->normalcount, model->facetnormcount);
    expectSameArray(read->normals, model->facetnorms, model->facetnormcount, 3, "normals");
    // Read back, faces come in file order: group by group, as the groups were written.
    const ObjGroup* written = model->grouplist;
    ASSERT_EQ(read->facecount, written->facecount);
    for (std::uint32_t i = 0; i < written->facecount; i++) {
        const ObjTriangle& before = model->faces[written->faceidx[i]];
        const ObjTriangle& after = read->faces[i];
        EXPECT_EQ(std::to_array(after.vertexidx), std::to_array(before.vertexidx));
        EXPECT_EQ(std::to_array(after.normalidx),
                  (Corners{before.facetnormidx, before.facetnormidx, before.facetnormidx}));
    }
}

TEST(GlmRoundTrip, ModelReadWithMaterialsWritesThemBack) {
    ScratchDirectory scratch("glm_roundtrip");
    writeFile("lamp.mtl", "newmtl brass\nKd 0.7 0.5 0.1\nNs 250\n");
    writeFile("lamp.obj", "mtllib lamp.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\n"
                          "g base\nusemtl brass\nf 1 2 3\ng shade\nf 1 3 4\n");
    ModelPtr model(glmReadOBJ("lamp.obj"));
    std::filesystem::create_directories("out");
    glmWriteOBJ(model.get(), "out/lamp.obj", ObjModeMaterial);

    const std::string obj = readFile("out/lamp.obj");
    EXPECT_NE(obj.find("\nmtllib lamp.mtl\n\n"), std::string::npos) << obj;
    // Each group line is followed by the group's material, in the order they were created.
    const std::string groups = "g default\nusemtl default\n\ng base\nusemtl brass\nf 1 2 3\n\n"
                               "g shade\nusemtl brass\nf 1 3 4\n\n";
    EXPECT_EQ(obj.substr(obj.find("g default")), groups) << obj;
    const std::string mtl = readFile("out/lamp.mtl");
    const std::size_t first = mtl.find("newmtl ");
    ASSERT_NE(first, std::string::npos) << mtl;
    EXPECT_EQ(mtl.substr(first, 15), "newmtl default\n");
    EXPECT_NE(mtl.find("newmtl brass\nKa 0.200000 0.200000 0.200000\nKd 0.700000 0.500000 "
                       "0.100000\nKs 0.000000 0.000000 0.000000\nNs 250.000000\n"),
              std::string::npos)
        << mtl;
}

} // namespace
