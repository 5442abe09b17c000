// The reader against tinyobjloader on the same files, hand-written and generated: vertices,
// normals, texture coordinates, triangle corners, groups and material colours must agree.
// tinyobjloader reads polygons as they are; they are fanned from their first vertex here.
#include "glm_test_util.h"

#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string dataFile(const char* name) {
    std::ifstream in(std::string(GLM_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string withCrlf(const std::string& text) {
    std::string converted;
    for (const char c : text) {
        converted += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return converted;
}

void expectArraysAgree(const float* ours, std::uint32_t count, const std::vector<float>& peer,
                       int width, const char* what) {
    ASSERT_EQ(std::size_t{count} * width, peer.size()) << what;
    for (std::size_t i = 0; i < peer.size(); i++) {
        EXPECT_FLOAT_EQ(ours[width + i], peer[i]) << what << " " << i / width + 1;
    }
}

// Reads obj with both readers and compares everything both of them keep.
void expectSameAsPeer(const std::string& obj) {
    ModelPtr model = readModel(obj);
    ASSERT_TRUE(model);
    tinyobj::ObjReaderConfig config;
    config.triangulate = false;
    config.vertex_color = false;
    tinyobj::ObjReader peer;
    const std::string path = writeScratchFile("model.obj", obj);
    ASSERT_TRUE(peer.ParseFromFile(path, config)) << peer.Error();
    const tinyobj::attrib_t& attrib = peer.GetAttrib();
    expectArraysAgree(model->vertices, model->vertexcount, attrib.vertices, 3, "vertex");
    expectArraysAgree(model->normals, model->normalcount, attrib.normals, 3, "normal");
    expectArraysAgree(model->texcoordarray, model->texcoordcount, attrib.texcoords, 2, "texcoord");

    std::uint32_t triangle = 0;
    for (const tinyobj::shape_t& shape : peer.GetShapes()) {
        // A name has a group for each material its faces use.
        const std::string name = shape.name.empty() ? "default" : shape.name;
        std::vector<const ObjGroup*> groups;
        for (const ObjGroup* g = model->grouplist; g != nullptr; g = g->next) {
            if (g->name == name) {
                groups.push_back(g);
            }
        }
        ASSERT_FALSE(groups.empty()) << name;
        std::size_t first = 0;
        for (std::size_t face = 0; face < shape.mesh.num_face_vertices.size(); face++) {
            const unsigned corners = shape.mesh.num_face_vertices[face];
            const int peerMaterial = shape.mesh.material_ids[face];
            const std::string material =
                peerMaterial < 0 ? "default" : peer.GetMaterials()[peerMaterial].name;
            for (unsigned k = 2; k < corners; k++, triangle++) {
                ASSERT_LT(triangle, model->facecount);
                const ObjTriangle& ours = model->faces[triangle];
                const std::size_t fan[3] = {first, first + k - 1, first + k};
                for (int c = 0; c < 3; c++) {
                    const tinyobj::index_t& theirs = shape.mesh.indices[fan[c]];
                    EXPECT_EQ(ours.vertexidx[c], theirs.vertex_index + 1) << triangle;
                    EXPECT_EQ(ours.normalidx[c], theirs.normal_index + 1) << triangle;
                    EXPECT_EQ(ours.texcoordidx[c], theirs.texcoord_index + 1) << triangle;
                }
                const auto holds = [&](const ObjGroup* g) {
                    return std::find(g->faceidx, g->faceidx + g->facecount, triangle) !=
                           g->faceidx + g->facecount;
                };
                const auto group = std::find_if(groups.begin(), groups.end(), holds);
                ASSERT_NE(group, groups.end()) << "triangle " << triangle << " not in " << name;
                const ObjMaterial* table = model->materialtable;
                EXPECT_EQ(table == nullptr ? "default" : table[(*group)->materialidx].name,
                          material)
                    << "triangle " << triangle;
            }
            first += corners;
        }
    }
    EXPECT_EQ(triangle, model->facecount);

    for (const tinyobj::material_t& material : peer.GetMaterials()) {
        const ObjMaterial& ours =
            model->materialtable[glmFindMaterial(model.get(), material.name.c_str())];
        ASSERT_STREQ(ours.name, material.name.c_str());
        for (int i = 0; i < 3; i++) {
            EXPECT_FLOAT_EQ(ours.diffusecolor[i], material.diffuse[i]) << material.name;
            EXPECT_FLOAT_EQ(ours.ambientcolor[i], material.ambient[i]) << material.name;
            EXPECT_FLOAT_EQ(ours.specularcolor[i], material.specular[i]) << material.name;
        }
        EXPECT_FLOAT_EQ(ours.specularexponent, material.shininess / 1000 * 128) << material.name;
    }
}

TEST(Peer, HandWrittenFilesWithBothLineEnds) {
    for (const char* name : {"polygons.obj", "forms.obj", "relative.obj"}) {
        SCOPED_TRACE(name);
        const std::string obj = dataFile(name);
        const std::string mtl = dataFile("forms.mtl");
        writeScratchFile("forms.mtl", mtl);
        expectSameAsPeer(obj);
        writeScratchFile("forms.mtl", withCrlf(mtl));
        expectSameAsPeer(withCrlf(obj));
    }
}

// A random model: positions, normals and texture coordinates interleaved with polygons of
// three to seven vertices in a random form each, absolute and relative indices, groups,
// comments, blank lines and numbers in several notations.
std::string randomObj(unsigned seed) {
    std::mt19937 random(seed);
    const auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto number = [&] {
        const double value = std::uniform_real_distribution<double>(-1000, 1000)(random) /
                             std::pow(10.0, uniform(0, 6));
        const char* formats[] = {"%g", "%.9g", "%e", "%.3f", "%.12f"};
        char text[64];
        std::snprintf(text, sizeof text, formats[uniform(0, 4)], value);
        return std::string(text);
    };
    std::string obj = "# generated\n";
    int counts[3] = {0, 0, 0};
    const char* keywords[3] = {"v", "vn", "vt"};
    const auto index = [&](int kind) {
        const int i = uniform(1, counts[kind]);
        return std::to_string(uniform(0, 1) == 0 ? i : i - counts[kind] - 1);
    };
    for (int line = 0; line < 400; line++) {
        const int choice = uniform(0, 9);
        if (choice < 5 || counts[0] < 3 || counts[1] < 1 || counts[2] < 1) {
            const int kind = uniform(0, 2);
            obj += keywords[kind];
            for (int i = kind == 2 ? 2 : 3; i > 0; i--) {
                obj += " " + number();
            }
            counts[kind]++;
        } else if (choice < 9) {
            const int form = uniform(0, 3);
            obj += "f";
            for (int corner = uniform(3, 7); corner > 0; corner--) {
                obj += " " + index(0);
                obj += form == 0   ? "//" + index(1)
                       : form == 1 ? "/" + index(2) + "/" + index(1)
                       : form == 2 ? "/" + index(2)
                                   : "";
            }
        } else {
            obj += uniform(0, 1) == 0 ? "g group" + std::to_string(uniform(1, 4)) : "\n# note";
        }
        obj += "\n";
    }
    return obj;
}

TEST(Peer, GeneratedFiles) {
    for (unsigned seed = 1; seed <= 12; seed++) {
        SCOPED_TRACE(seed);
        const std::string obj = randomObj(seed);
        expectSameAsPeer(seed % 2 == 0 ? withCrlf(obj) : obj);
    }
}

} // namespace
