// Models built by hand, scratch directories and file helpers for the OBJ library's writing,
// mapping and welding tests.
#pragma once

#include "gallery/glm.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ModelDeleter {
    void operator()(ObjModel* model) const { glmDestroyModel(model); }
};
using ModelPtr = std::unique_ptr<ObjModel, ModelDeleter>;

using Vec3 = std::array<float, 3>;
using Corners = std::array<std::int32_t, 3>;

// A model with the given vertices and triangles (1-based vertex indices), every triangle in
// the group "default", as the reader would build it: facet normal index i + 1 for triangle i.
ModelPtr buildModel(const std::vector<Vec3>& vertices, const std::vector<Corners>& triangles);

// Sets the vertex normals and every triangle's normal indices.
void setNormals(ObjModel* model, const std::vector<Vec3>& normals,
                const std::vector<Corners>& indices);
// Sets the facet normals, one per triangle.
void setFacetNormals(ObjModel* model, const std::vector<Vec3>& normals);
// Sets the texture coordinates and every triangle's texture indices.
void setTexcoords(ObjModel* model, const std::vector<std::array<float, 2>>& texcoords,
                  const std::vector<Corners>& indices);

struct MaterialSpec {
    std::string name;
    Vec3 ambient, diffuse, specular;
    float exponent; // OpenGL units, 0 to 128
};
// Sets mtllib and the material table, entry 0 first.
void setMaterials(ObjModel* model, const char* mtllib, const std::vector<MaterialSpec>& table);

// Moves the listed triangles (0-based) out of "default" into a new group with a material.
ObjGroup* addGroup(ObjModel* model, const char* name, const std::vector<std::uint32_t>& faces,
                   std::uint32_t materialidx);

// The cube from -1 to 1: 8 vertices, 12 triangles wound counter-clockwise seen from outside.
ModelPtr buildCube();

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// A fresh directory under the build tree that is made the working directory for the
// test's lifetime; the previous working directory comes back afterwards.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};
