// Generated texture coordinates: a planar projection onto the x-z plane, one coordinate per
// vertex, and sphere mapping from the vertex normals, one coordinate per normal.
#include "gallery/glm.h"
#include "glm_assert.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Replaces the model's texture coordinates by count new, uninitialised pairs (plus the unused
// element 0) and returns them.
float* replaceTexcoords(ObjModel* model, std::uint32_t count) {
    std::free(model->texcoordarray);
    model->texcoordcount = count;
    model->texcoordarray =
        static_cast<float*>(std::calloc((static_cast<std::size_t>(count) + 1) * 2, sizeof(float)));
    return model->texcoordarray;
}

// Every grouped triangle's corners take their texture index from another of their indices.
void copyCornerIndices(ObjModel* model, std::int32_t (ObjTriangle::*source)[3]) {
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        for (std::uint32_t i = 0; i < group->facecount; i++) {
            GLM_REQUIRE(group->faceidx[i] < model->facecount);
            ObjTriangle& t = model->faces[group->faceidx[i]];
            std::copy(std::begin(t.*source), std::end(t.*source), std::begin(t.texcoordidx));
        }
    }
}

// The square root of a * a + b * b: the squares and their sum are single precision, like every
// value of the library; only the root is taken in double.
float rootOfSquares(float a, float b) {
    const float aa = a * a;
    const float bb = b * b;
    return static_cast<float>(std::sqrt(static_cast<double>(aa + bb)));
}

} // namespace

void glmPlanarTexCoords(ObjModel* model) {
    GLM_REQUIRE(model);
    float* texcoords = replaceTexcoords(model, model->vertexcount);
    if (model->vertexcount == 0) {
        return;
    }
    float dimensions[3];
    glmMeasureExtent(model, dimensions);
    const float largest = std::max({dimensions[0], dimensions[1], dimensions[2]});
    // Every vertex at the origin has no extent to scale by: all of them map to the centre.
    const float scale = largest > 0.0f ? 2.0f / largest : 0.0f;
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        const float* v = model->vertices + 3 * static_cast<std::size_t>(i);
        texcoords[2 * i + 0] = (scale * v[0] + 1.0f) * 0.5f;
        texcoords[2 * i + 1] = (scale * v[2] + 1.0f) * 0.5f;
    }
    copyCornerIndices(model, &ObjTriangle::vertexidx);
}

void glmSphereTexCoords(ObjModel* model) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->normals);
    float* texcoords = replaceTexcoords(model, model->normalcount);
    for (std::uint32_t i = 1; i <= model->normalcount; i++) {
        const float* n = model->normals + 3 * static_cast<std::size_t>(i);
        const float x = n[0];
        const float y = n[1];
        const float z = n[2];
        // The constants are single-precision values of pi / 2 as the mapping has always used
        // them; theta's is slightly below pi / 2 on purpose.
        const float r = rootOfSquares(y, z);
        float theta = 0.0f;
        float phi = 0.0f;
        if (r != 0.0f) {
            if (x == 0.0f) {
                phi = 1.5707964f;
            } else {
                const float rho = rootOfSquares(r, x);
                phi = static_cast<float>(std::acos(static_cast<double>(x / rho)));
            }
            if (y == 0.0f) {
                theta = 1.5707961f;
            } else {
                theta = static_cast<float>(std::asin(static_cast<double>(y / r)) + 1.570796325);
            }
        }
        texcoords[2 * i + 0] = static_cast<float>(theta / 3.14159265);
        texcoords[2 * i + 1] = static_cast<float>(phi / 3.14159265);
    }
    copyCornerIndices(model, &ObjTriangle::normalidx);
}
