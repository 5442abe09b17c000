// Measuring, fitting, scaling and turning a model inside out.
//
// An extent along an axis is |max| + |min|, which equals max - min only for models that span
// the origin on that axis. A model without vertices measures 0 on every axis; fitting it, or
// a model of no extent (a point at the origin), changes nothing and returns 1.
#include "gallery/glm.h"
#include "glm_assert.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

struct Box {
    float min[3];
    float max[3];
};

// The bounding box of vertices 1 to vertexcount; all zero for a model without vertices.
Box boundingBox(const ObjModel* model) {
    Box box = {{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}};
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        const float* vertex = &model->vertices[3 * std::size_t{i}];
        for (int axis = 0; axis < 3; axis++) {
            box.min[axis] = i == 1 ? vertex[axis] : std::min(box.min[axis], vertex[axis]);
            box.max[axis] = i == 1 ? vertex[axis] : std::max(box.max[axis], vertex[axis]);
        }
    }
    return box;
}

float extent(const Box& box, int axis) {
    return std::fabs(box.max[axis]) + std::fabs(box.min[axis]);
}

} // namespace

float glmFitUnitCube(ObjModel* model) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->vertices);
    const Box box = boundingBox(model);
    const float largest = std::max({extent(box, 0), extent(box, 1), extent(box, 2)});
    if (!(largest > 0.0f)) {
        return 1.0f;
    }
    const float scale = 2.0f / largest;
    float centre[3];
    for (int axis = 0; axis < 3; axis++) {
        centre[axis] = (box.max[axis] + box.min[axis]) / 2.0f;
    }
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        float* vertex = &model->vertices[3 * std::size_t{i}];
        for (int axis = 0; axis < 3; axis++) {
            vertex[axis] = (vertex[axis] - centre[axis]) * scale;
        }
    }
    return scale;
}

void glmMeasureExtent(ObjModel* model, float* dimensions) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->vertices);
    GLM_REQUIRE(dimensions);
    const Box box = boundingBox(model);
    for (int axis = 0; axis < 3; axis++) {
        dimensions[axis] = extent(box, axis);
    }
}

void glmScaleModel(ObjModel* model, float factor) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->vertices || model->vertexcount == 0);
    for (std::size_t i = 3; i < 3 * (std::size_t{model->vertexcount} + 1); i++) {
        model->vertices[i] *= factor;
    }
}

void glmFlipWinding(ObjModel* model) {
    GLM_REQUIRE(model);
    for (std::uint32_t i = 0; i < model->facecount; i++) {
        ObjTriangle& triangle = model->faces[i];
        std::swap(triangle.vertexidx[0], triangle.vertexidx[2]);
        if (model->normalcount != 0) {
            std::swap(triangle.normalidx[0], triangle.normalidx[2]);
        }
        if (model->texcoordcount != 0) {
            std::swap(triangle.texcoordidx[0], triangle.texcoordidx[2]);
        }
    }
    for (std::size_t i = 3; i < 3 * (std::size_t{model->facetnormcount} + 1); i++) {
        model->facetnorms[i] = -model->facetnorms[i];
    }
    for (std::size_t i = 3; i < 3 * (std::size_t{model->normalcount} + 1); i++) {
        model->normals[i] = -model->normals[i];
    }
}
