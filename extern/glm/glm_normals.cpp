// Facet normals and per-corner vertex normals shared across creases below an angle.
//
// Products are formed in double and stored as float; running sums are stored vectors, float
// too. A zero-length vector stays zero, so a zero-area triangle gets a zero facet normal
// rather than NaN, and such a normal never serves as a vertex's reference. Each corner-list
// entry remembers its own corner, so a triangle that uses one vertex at two corners gets a
// normal at both.
#include "gallery/glm.h"
#include "glm_assert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void crossDouble(const double* u, const double* v, double* n) {
    n[0] = u[1] * v[2] - u[2] * v[1];
    n[1] = u[2] * v[0] - u[0] * v[2];
    n[2] = u[0] * v[1] - u[1] * v[0];
}

const float* vertexAt(const ObjModel* model, std::int32_t index) {
    return &model->vertices[3 * static_cast<std::size_t>(index)];
}

const float* facetNormalOf(const ObjModel* model, const ObjTriangle& triangle) {
    return &model->facetnorms[3 * static_cast<std::size_t>(triangle.facetnormidx)];
}

// One use of a vertex by a triangle corner.
struct CornerUse {
    std::uint32_t triangle;
    std::uint8_t corner;
    bool joined;
};

// The corner uses of every vertex, laid out vertex by vertex (first[i] to first[i + 1]).
// Within a vertex they run from the highest triangle down, and within a triangle from its
// last corner down: the order of a list that every use is pushed onto the front of.
struct CornerLists {
    std::vector<std::size_t> first;
    std::vector<CornerUse> uses;
};

CornerLists buildCornerLists(const ObjModel* model) {
    CornerLists lists;
    lists.first.assign(std::size_t{model->vertexcount} + 2, 0);
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        for (const std::int32_t v : model->faces[t].vertexidx) {
            lists.first[static_cast<std::size_t>(v) + 1]++;
        }
    }
    for (std::size_t i = 1; i < lists.first.size(); i++) {
        lists.first[i] += lists.first[i - 1];
    }
    // Filled from each vertex's end towards its start, to put later uses first.
    std::vector<std::size_t> fill(lists.first.begin() + 1, lists.first.end());
    lists.uses.resize(lists.first.back());
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        for (std::uint8_t c = 0; c < 3; c++) {
            const auto v = static_cast<std::size_t>(model->faces[t].vertexidx[c]);
            lists.uses[--fill[v]] = CornerUse{t, c, false};
        }
    }
    return lists;
}

// The facet normal that the uses of one vertex are compared with: the first in list order
// that has a direction. A zero-area triangle's zero normal would make every dot product 0 and
// so decide alone whether all the others join; it is the reference only when every facet at
// the vertex is zero.
const float* referenceFacet(const ObjModel* model, const CornerUse* begin, const CornerUse* end) {
    for (const CornerUse* use = begin; use != end; ++use) {
        const float* facet = facetNormalOf(model, model->faces[use->triangle]);
        if (facet[0] != 0.0f || facet[1] != 0.0f || facet[2] != 0.0f) {
            return facet;
        }
    }
    return facetNormalOf(model, model->faces[begin->triangle]);
}

} // namespace

void glmMakeUnit(float* v) {
    GLM_REQUIRE(v);
    const auto length = static_cast<float>(
        std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]));
    if (length == 0.0f) {
        return;
    }
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void glmCross(const float* u, const float* v, float* n) {
    GLM_REQUIRE(n);
    const double ud[3] = {u[0], u[1], u[2]};
    const double vd[3] = {v[0], v[1], v[2]};
    double nd[3];
    crossDouble(ud, vd, nd);
    n[0] = static_cast<float>(nd[0]);
    n[1] = static_cast<float>(nd[1]);
    n[2] = static_cast<float>(nd[2]);
}

double glmDot(const float* u, const float* v) {
    GLM_REQUIRE(u);
    GLM_REQUIRE(v);
    return double(u[0]) * v[0] + double(u[1]) * v[1] + double(u[2]) * v[2];
}

void glmBuildFacetNormals(ObjModel* model) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->vertices);
    std::free(model->facetnorms);
    model->facetnormcount = model->facecount;
    model->facetnorms =
        static_cast<float*>(std::calloc(std::size_t{model->facecount} + 1, 3 * sizeof(float)));
    for (std::uint32_t i = 0; i < model->facecount; i++) {
        ObjTriangle& triangle = model->faces[i];
        triangle.facetnormidx = static_cast<std::int32_t>(i + 1);
        const float* c0 = vertexAt(model, triangle.vertexidx[0]);
        const float* c1 = vertexAt(model, triangle.vertexidx[1]);
        const float* c2 = vertexAt(model, triangle.vertexidx[2]);
        const double u[3] = {double(c1[0]) - c0[0], double(c1[1]) - c0[1], double(c1[2]) - c0[2]};
        const double v[3] = {double(c2[0]) - c0[0], double(c2[1]) - c0[1], double(c2[2]) - c0[2]};
        double n[3];
        crossDouble(u, v, n);
        float* normal = &model->facetnorms[3 * (i + 1u)];
        normal[0] = static_cast<float>(n[0]);
        normal[1] = static_cast<float>(n[1]);
        normal[2] = static_cast<float>(n[2]);
        glmMakeUnit(normal);
    }
}

void glmVertexNormals(ObjModel* model, float angle) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->facetnorms);
    const auto threshold = static_cast<float>(std::cos(angle * 3.141592653589793 / 180.0));
    std::free(model->normals);
    model->normals = nullptr;
    // One normal per corner is the most that can be needed; the array shrinks at the end.
    float* normals =
        static_cast<float*>(std::calloc(3 * std::size_t{model->facecount} + 1, 3 * sizeof(float)));
    CornerLists lists = buildCornerLists(model);
    std::size_t next = 1;
    const auto store = [&normals, &next](const float* normal) {
        std::memcpy(&normals[3 * next], normal, 3 * sizeof(float));
        return static_cast<std::int32_t>(next++);
    };
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        CornerUse* begin = lists.uses.data() + lists.first[i];
        CornerUse* end = lists.uses.data() + lists.first[i + 1];
        if (begin == end) {
            std::fprintf(stderr, "glmVertexNormals(): vertex w/o a triangle\n");
            continue;
        }
        const float* reference = referenceFacet(model, begin, end);
        float sum[3] = {0.0f, 0.0f, 0.0f};
        bool anyJoined = false;
        for (CornerUse* use = begin; use != end; ++use) {
            const float* facet = facetNormalOf(model, model->faces[use->triangle]);
            use->joined = glmDot(facet, reference) > threshold;
            if (use->joined) {
                sum[0] += facet[0];
                sum[1] += facet[1];
                sum[2] += facet[2];
                anyJoined = true;
            }
        }
        std::int32_t shared = 0;
        if (anyJoined) {
            glmMakeUnit(sum);
            shared = store(sum);
        }
        for (const CornerUse* use = begin; use != end; ++use) {
            ObjTriangle& triangle = model->faces[use->triangle];
            triangle.normalidx[use->corner] =
                use->joined ? shared : store(facetNormalOf(model, triangle));
        }
    }
    model->normalcount = static_cast<std::uint32_t>(next - 1);
    model->normals = static_cast<float*>(
        std::realloc(normals, (std::size_t{model->normalcount} + 1) * 3 * sizeof(float)));
}
