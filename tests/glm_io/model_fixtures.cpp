#include "model_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

template <std::size_t N> float* oneBased(const std::vector<std::array<float, N>>& items) {
    auto* array = static_cast<float*>(std::calloc((items.size() + 1) * N, sizeof(float)));
    for (std::size_t i = 0; i < items.size(); i++) {
        std::memcpy(array + (i + 1) * N, items[i].data(), N * sizeof(float));
    }
    return array;
}

void setCorners(ObjModel* model, const std::vector<Corners>& indices,
                std::int32_t (ObjTriangle::*field)[3]) {
    ASSERT_EQ(indices.size(), model->facecount);
    for (std::size_t t = 0; t < indices.size(); t++) {
        std::memcpy(model->faces[t].*field, indices[t].data(), sizeof(Corners));
    }
}

} // namespace

ModelPtr buildModel(const std::vector<Vec3>& vertices, const std::vector<Corners>& triangles) {
    ModelPtr model(static_cast<ObjModel*>(std::calloc(1, sizeof(ObjModel))));
    model->objpath = strdup("built.obj");
    model->vertexcount = static_cast<std::uint32_t>(vertices.size());
    model->vertices = oneBased(vertices);
    model->facecount = static_cast<std::uint32_t>(triangles.size());
    model->faces =
        static_cast<ObjTriangle*>(std::calloc(triangles.size() + 1, sizeof(ObjTriangle)));
    ObjGroup* group = glmEnsureGroup(model.get(), "default");
    group->faceidx =
        static_cast<std::uint32_t*>(std::calloc(triangles.size() + 1, sizeof(std::uint32_t)));
    for (std::size_t t = 0; t < triangles.size(); t++) {
        std::memcpy(model->faces[t].vertexidx, triangles[t].data(), sizeof(Corners));
        model->faces[t].facetnormidx = static_cast<std::int32_t>(t + 1);
        group->faceidx[group->facecount++] = static_cast<std::uint32_t>(t);
    }
    return model;
}

void setNormals(ObjModel* model, const std::vector<Vec3>& normals,
                const std::vector<Corners>& indices) {
    std::free(model->normals);
    model->normalcount = static_cast<std::uint32_t>(normals.size());
    model->normals = oneBased(normals);
    setCorners(model, indices, &ObjTriangle::normalidx);
}

void setFacetNormals(ObjModel* model, const std::vector<Vec3>& normals) {
    std::free(model->facetnorms);
    model->facetnormcount = static_cast<std::uint32_t>(normals.size());
    model->facetnorms = oneBased(normals);
}

void setTexcoords(ObjModel* model, const std::vector<std::array<float, 2>>& texcoords,
                  const std::vector<Corners>& indices) {
    std::free(model->texcoordarray);
    model->texcoordcount = static_cast<std::uint32_t>(texcoords.size());
    model->texcoordarray = oneBased(texcoords);
    setCorners(model, indices, &ObjTriangle::texcoordidx);
}

void setMaterials(ObjModel* model, const char* mtllib, const std::vector<MaterialSpec>& table) {
    model->mtllib = strdup(mtllib);
    model->materialcount = static_cast<std::uint32_t>(table.size());
    model->materialtable =
        static_cast<ObjMaterial*>(std::calloc(table.size(), sizeof(ObjMaterial)));
    for (std::size_t i = 0; i < table.size(); i++) {
        ObjMaterial& m = model->materialtable[i];
        m.name = strdup(table[i].name.c_str());
        for (int c = 0; c < 3; c++) {
            m.ambientcolor[c] = table[i].ambient[c];
            m.diffusecolor[c] = table[i].diffuse[c];
            m.specularcolor[c] = table[i].specular[c];
        }
        m.ambientcolor[3] = m.diffusecolor[3] = m.specularcolor[3] = 1.0f;
        m.specularexponent = table[i].exponent;
    }
}

ObjGroup* addGroup(ObjModel* model, const char* name, const std::vector<std::uint32_t>& faces,
                   std::uint32_t materialidx) {
    ObjGroup* standard = glmLookupGroup(model, "default");
    ObjGroup* group = glmEnsureGroup(model, name);
    group->materialidx = materialidx;
    group->faceidx = static_cast<std::uint32_t*>(std::calloc(faces.size() + 1, sizeof(faces[0])));
    for (std::uint32_t face : faces) {
        group->faceidx[group->facecount++] = face;
    }
    std::uint32_t kept = 0;
    for (std::uint32_t i = 0; i < standard->facecount; i++) {
        if (std::find(faces.begin(), faces.end(), standard->faceidx[i]) == faces.end()) {
            standard->faceidx[kept++] = standard->faceidx[i];
        }
    }
    standard->facecount = kept;
    return group;
}

ModelPtr buildCube() {
    return buildModel({{-1, -1, -1},
                       {1, -1, -1},
                       {1, 1, -1},
                       {-1, 1, -1},
                       {-1, -1, 1},
                       {1, -1, 1},
                       {1, 1, 1},
                       {-1, 1, 1}},
                      {{1, 4, 3},
                       {1, 3, 2}, // back, z = -1
                       {5, 6, 7},
                       {5, 7, 8}, // front, z = 1
                       {1, 5, 8},
                       {1, 8, 4}, // left, x = -1
                       {2, 3, 7},
                       {2, 7, 6}, // right, x = 1
                       {1, 2, 6},
                       {1, 6, 5}, // bottom, y = -1
                       {4, 8, 7},
                       {4, 7, 3}}); // top, y = 1
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

ScratchDirectory::ScratchDirectory(const std::string& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path dir = std::filesystem::path(GALLERY_BINARY_DIR) / "scratch" / name;
    if (test != nullptr) {
        std::string leaf = std::string(test->test_suite_name()) + "." + test->name();
        std::replace(leaf.begin(), leaf.end(), '/', '_'); // parameterised names have slashes
        dir /= leaf;
    }
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    path_ = dir.string();
    previous_ = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
}

ScratchDirectory::~ScratchDirectory() {
    std::filesystem::current_path(previous_);
}
