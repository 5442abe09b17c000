// A second, independent OBJ reader (tinyobjloader) reads what the writer produces: positions,
// normals, texture coordinates, faces, groups and material colours must all come through.
#include "gallery/glm.h"
#include "model_fixtures.h"

#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <string>
#include <vector>

namespace {

// The cube with one normal per triangle corner, one texture coordinate per vertex, three
// groups and three materials: every kind of data the writer can put out.
ModelPtr richCube() {
    ModelPtr model = buildCube();
    const std::vector<Vec3> faceNormals = {{0, 0, -1}, {0, 0, 1},  {-1, 0, 0},
                                           {1, 0, 0},  {0, -1, 0}, {0, 1, 0}};
    std::vector<Vec3> normals;
    std::vector<Corners> normalIndices;
    for (std::int32_t t = 0; t < 12; t++) {
        for (int c = 0; c < 3; c++) {
            normals.push_back(faceNormals[static_cast<std::size_t>(t / 2)]);
        }
        normalIndices.push_back({3 * t + 1, 3 * t + 2, 3 * t + 3});
    }
    setNormals(model.get(), normals, normalIndices);
    std::vector<std::array<float, 2>> texcoords;
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        texcoords.push_back(
            {0.125f * static_cast<float>(i), 1.0f - 0.0625f * static_cast<float>(i)});
    }
    std::vector<Corners> texcoordIndices;
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        texcoordIndices.push_back(std::to_array(model->faces[t].vertexidx));
    }
    setTexcoords(model.get(), texcoords, texcoordIndices);
    setMaterials(model.get(), "rich.mtl",
                 {{"default", {0.2f, 0.2f, 0.2f}, {0.8f, 0.8f, 0.8f}, {0, 0, 0}, 65},
                  {"red", {0.125f, 0, 0}, {1, 0.25f, 0}, {0.5f, 0.5f, 0.5f}, 64},
                  {"blue", {0, 0, 0.375f}, {0, 0.5f, 1}, {0.75f, 0, 0}, 12.8f}});
    addGroup(model.get(), "front", {2, 3}, 1);
    addGroup(model.get(), "top", {10, 11}, 2);
    return model;
}

struct PeerRead {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
};

PeerRead readWithPeer(const std::string& path, const std::string& directory) {
    PeerRead read;
    std::string warn;
    std::string err;
    const bool ok = tinyobj::LoadObj(&read.attrib, &read.shapes, &read.materials, &warn, &err,
                                     path.c_str(), directory.c_str());
    EXPECT_TRUE(ok) << err;
    EXPECT_EQ(err, "");
    return read;
}

void expectArray(const std::vector<tinyobj::real_t>& peer, const float* ours, std::uint32_t count,
                 int size, const char* what) {
    ASSERT_EQ(peer.size(), static_cast<std::size_t>(count) * size) << what;
    for (std::size_t i = 0; i < peer.size(); i++) {
        EXPECT_NEAR(peer[i], ours[size + i], 5e-7) << what << " value " << i;
    }
}

TEST(GlmPeerRead, PeerReadsPositionsNormalsTexcoordsFacesAndMaterials) {
    ScratchDirectory scratch("glm_peer");
    ModelPtr model = richCube();
    glmWriteOBJ(model.get(), "rich.obj", ObjModeSmooth | ObjModeTexture | ObjModeMaterial);
    const PeerRead peer = readWithPeer("rich.obj", scratch.path() + "/");

    expectArray(peer.attrib.vertices, model->vertices, model->vertexcount, 3, "positions");
    expectArray(peer.attrib.normals, model->normals, model->normalcount, 3, "normals");
    expectArray(peer.attrib.texcoords, model->texcoordarray, model->texcoordcount, 2,
                "texture coordinates");

    ASSERT_EQ(peer.materials.size(), model->materialcount);
    for (std::size_t m = 0; m < peer.materials.size(); m++) {
        const ObjMaterial& ours = model->materialtable[m];
        const tinyobj::material_t& theirs = peer.materials[m];
        EXPECT_EQ(theirs.name, ours.name);
        for (int c = 0; c < 3; c++) {
            EXPECT_FLOAT_EQ(theirs.ambient[c], ours.ambientcolor[c]) << ours.name;
            EXPECT_FLOAT_EQ(theirs.diffuse[c], ours.diffusecolor[c]) << ours.name;
            EXPECT_FLOAT_EQ(theirs.specular[c], ours.specularcolor[c]) << ours.name;
        }
        // The file holds the 0 to 1000 range; ours is OpenGL's 0 to 128.
        EXPECT_FLOAT_EQ(theirs.shininess, ours.specularexponent / 128.0f * 1000.0f) << ours.name;
    }

    // One shape per group, in the order the groups were written, every face with all three
    // indices of each corner and its group's material.
    ASSERT_EQ(peer.shapes.size(), model->groupcount);
    std::vector<const ObjGroup*> created;
    for (const ObjGroup* g = model->grouplist; g != nullptr; g = g->next) {
        created.insert(created.begin(), g);
    }
    auto next = created.begin();
    for (const tinyobj::shape_t& shape : peer.shapes) {
        const ObjGroup* group = *next++;
        EXPECT_EQ(shape.name, group->name);
        ASSERT_EQ(shape.mesh.num_face_vertices.size(), group->facecount) << group->name;
        for (std::uint32_t f = 0; f < group->facecount; f++) {
            const ObjTriangle& t = model->faces[group->faceidx[f]];
            EXPECT_EQ(shape.mesh.num_face_vertices[f], 3);
            EXPECT_EQ(peer.materials[static_cast<std::size_t>(shape.mesh.material_ids[f])].name,
                      model->materialtable[group->materialidx].name);
            for (int c = 0; c < 3; c++) {
                const tinyobj::index_t& index = shape.mesh.indices[3 * f + c];
                EXPECT_EQ(index.vertex_index, t.vertexidx[c] - 1);
                EXPECT_EQ(index.normal_index, t.normalidx[c] - 1);
                EXPECT_EQ(index.texcoord_index, t.texcoordidx[c] - 1);
            }
        }
    }
}

TEST(GlmPeerRead, PeerReadsFacetNormalsAsOneNormalPerTriangle) {
    ScratchDirectory scratch("glm_peer");
    ModelPtr model = buildCube();
    std::vector<Vec3> facets;
    for (int t = 0; t < 12; t++) {
        facets.push_back({0.5f * static_cast<float>(t), -1.0f, 0.25f});
    }
    setFacetNormals(model.get(), facets);
    glmWriteOBJ(model.get(), "flat.obj", ObjModeFlat);
    const PeerRead peer = readWithPeer("flat.obj", scratch.path() + "/");

    expectArray(peer.attrib.normals, model->facetnorms, model->facetnormcount, 3, "normals");
    ASSERT_EQ(peer.shapes.size(), 1u);
    const tinyobj::mesh_t& mesh = peer.shapes[0].mesh;
    ASSERT_EQ(mesh.indices.size(), 36u);
    const ObjGroup* group = model->grouplist;
    for (std::uint32_t f = 0; f < group->facecount; f++) {
        const ObjTriangle& t = model->faces[group->faceidx[f]];
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(mesh.indices[3 * f + c].vertex_index, t.vertexidx[c] - 1);
            EXPECT_EQ(mesh.indices[3 * f + c].normal_index, t.facetnormidx - 1);
            EXPECT_EQ(mesh.indices[3 * f + c].texcoord_index, -1);
        }
    }
}

} // namespace
