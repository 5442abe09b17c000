// Facet and vertex normals on small models read from real files.
#include "glm_test_util.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <vector>

namespace {

using Vec = std::array<float, 3>;

Vec at(const float* array, std::int32_t index) {
    return {array[3 * index], array[3 * index + 1], array[3 * index + 2]};
}

Vec cornerNormal(const ObjModel* model, std::uint32_t triangle, int corner) {
    return at(model->normals, model->faces[triangle].normalidx[corner]);
}

Vec facetNormal(const ObjModel* model, std::uint32_t triangle) {
    return at(model->facetnorms, model->faces[triangle].facetnormidx);
}

ModelPtr withNormals(const std::string& obj, float angle) {
    ModelPtr model = readModel(obj);
    if (model) {
        glmBuildFacetNormals(model.get());
        glmVertexNormals(model.get(), angle);
    }
    return model;
}

// Unit cube from 0 to 1, its six sides as quads wound counter-clockwise from outside.
const std::string kCube = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
                          "f 1 4 3 2\nf 5 6 7 8\nf 1 2 6 5\nf 4 8 7 3\nf 1 5 8 4\nf 2 3 7 6\n";

TEST(Vectors, UnitCrossAndDot) {
    float v[3] = {3, 4, 0};
    glmMakeUnit(v);
    EXPECT_EQ((Vec{v[0], v[1], v[2]}), (Vec{0.6f, 0.8f, 0.0f}));
    float zero[3] = {0, 0, 0};
    glmMakeUnit(zero);
    EXPECT_EQ((Vec{zero[0], zero[1], zero[2]}), (Vec{0, 0, 0}));
    const float x[3] = {1, 0, 0};
    const float y[3] = {0, 1, 0};
    float n[3];
    glmCross(x, y, n);
    EXPECT_EQ((Vec{n[0], n[1], n[2]}), (Vec{0, 0, 1}));
    // 1e14 - 1 needs double: a float sum would give 1e14.
    const float a[3] = {1e7f, 1, 0};
    const float b[3] = {1e7f, -1, 0};
    EXPECT_EQ(glmDot(a, b), 1e14 - 1);
}

TEST(FacetNormals, PointToTheCounterClockwiseSideAndZeroAreaGivesZero) {
    ModelPtr model = readModel("v 0 0 0\nv 2 0 0\nv 0 2 0\nv 4 0 0\nf 1 2 3\nf 1 3 2\nf 1 2 4\n");
    ASSERT_TRUE(model);
    glmBuildFacetNormals(model.get());
    ASSERT_EQ(model->facetnormcount, 3u);
    EXPECT_EQ(facetNormal(model.get(), 0), (Vec{0, 0, 1}));
    EXPECT_EQ(facetNormal(model.get(), 1), (Vec{0, 0, -1}));
    EXPECT_EQ(facetNormal(model.get(), 2), (Vec{0, 0, 0}));
    EXPECT_EQ(model->faces[2].facetnormidx, 3);
}

TEST(VertexNormals, FlatQuadSharesOneNormalPerVertex) {
    ModelPtr model = withNormals("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n", 90);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->normalcount, 4u);
    for (std::uint32_t t = 0; t < 2; t++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(cornerNormal(model.get(), t, c), (Vec{0, 0, 1}));
        }
    }
    EXPECT_EQ(model->faces[0].normalidx[0], model->faces[1].normalidx[0]); // vertex 1
    EXPECT_EQ(model->faces[0].normalidx[2], model->faces[1].normalidx[1]); // vertex 3
}

TEST(VertexNormals, CubeCornersAtExactlyNinetyDegreesStayHard) {
    ModelPtr model = withNormals(kCube, 90);
    ASSERT_TRUE(model);
    // Each corner keeps its own side's normal; only the reference side's corners share one.
    std::set<std::int32_t> indices;
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(cornerNormal(model.get(), t, c), facetNormal(model.get(), t));
            indices.insert(model->faces[t].normalidx[c]);
        }
    }
    EXPECT_EQ(indices.size(), model->normalcount);
    EXPECT_GT(model->normalcount, 8u);
}

TEST(VertexNormals, CubeCornersJustAboveNinetyDegreesAreSmooth) {
    ModelPtr model = withNormals(kCube, 91);
    ASSERT_TRUE(model);
    ASSERT_EQ(model->normalcount, 8u);
    // Every side at a corner joins, so the normal leans out along all three axes.
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        for (int c = 0; c < 3; c++) {
            const float* v = &model->vertices[3 * model->faces[t].vertexidx[c]];
            const Vec n = cornerNormal(model.get(), t, c);
            for (int axis = 0; axis < 3; axis++) {
                EXPECT_TRUE(v[axis] == 0 ? n[axis] < 0 : n[axis] > 0) << t << " " << c;
            }
        }
    }
}

TEST(VertexNormals, HalfTurnJoinsAllButTheOppositeFacet) {
    // A right-angle fold and, on the same vertices 1 to 3, a triangle facing the other way.
    ModelPtr model =
        withNormals("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 2 3\nf 1 4 2\nf 1 3 2\n", 180);
    ASSERT_TRUE(model);
    // Vertex 1's reference is the last triangle (facing -z): the fold (+y) joins it, the
    // first triangle (+z) is exactly opposite and keeps its own normal.
    const float d = 1 / std::sqrt(2.0f);
    EXPECT_EQ(cornerNormal(model.get(), 2, 0), (Vec{0, d, -d}));
    EXPECT_EQ(cornerNormal(model.get(), 1, 0), (Vec{0, d, -d}));
    EXPECT_EQ(cornerNormal(model.get(), 0, 0), (Vec{0, 0, 1}));
}

TEST(VertexNormals, TwiceGivesTheSame) {
    ModelPtr model = readModel(kCube);
    ASSERT_TRUE(model);
    glmBuildFacetNormals(model.get());
    glmVertexNormals(model.get(), 90);
    const std::vector<float> first(model->normals, model->normals + 3 * (model->normalcount + 1));
    std::vector<ObjTriangle> faces(model->faces, model->faces + model->facecount);
    glmVertexNormals(model.get(), 90);
    EXPECT_EQ(std::vector<float>(model->normals, model->normals + 3 * (model->normalcount + 1)),
              first);
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(model->faces[t].normalidx[c], faces[t].normalidx[c]);
        }
    }
}

TEST(VertexNormals, EveryCornerOfADegenerateTriangleGetsAFiniteNormal) {
    ModelPtr model = withNormals("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 1\n", 90);
    ASSERT_TRUE(model);
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        for (int c = 0; c < 3; c++) {
            const std::int32_t index = model->faces[t].normalidx[c];
            ASSERT_GE(index, 1);
            ASSERT_LE(index, static_cast<std::int32_t>(model->normalcount));
            for (const float value : cornerNormal(model.get(), t, c)) {
                EXPECT_TRUE(std::isfinite(value));
            }
        }
    }
    EXPECT_EQ(cornerNormal(model.get(), 1, 2), (Vec{0, 0, 0}));
}

TEST(VertexNormals, AZeroAreaTriangleDecidesNothingForTheOthers) {
    // Three pages about the y axis from the origin: the first faces -z, the second +z and the
    // third 30 degrees from it, 150 from the first. The last triangle has no area.
    const std::string pages = "v 0 0 0\nv 0 1 0\nv 1 0 0\nv 0.8660254 0 0.5\nv -1 0 0\nv 0 2 0\n"
                              "f 1 5 2\nf 1 3 2\nf 1 4 2\nf 1 2 6\n";
    for (const float angle : {135.0f, 90.0f}) {
        ModelPtr model = withNormals(pages, angle);
        ASSERT_TRUE(model);
        ASSERT_EQ(facetNormal(model.get(), 3), (Vec{0, 0, 0}));
        // At the origin the third page is the reference: the second joins it across 30
        // degrees, the first stays apart across 150.
        const ObjTriangle* faces = model->faces;
        EXPECT_EQ(faces[1].normalidx[0], faces[2].normalidx[0]) << angle;
        EXPECT_NE(faces[0].normalidx[0], faces[2].normalidx[0]) << angle;
        EXPECT_EQ(cornerNormal(model.get(), 0, 0), facetNormal(model.get(), 0)) << angle;
    }
}

// A fan of 40 triangles about vertex 1, all facing nearly +z, with random rims.
std::string randomFan(std::mt19937& random) {
    std::uniform_real_distribution<float> radius(0.5f, 2.0f);
    std::uniform_real_distribution<float> height(-0.02f, 0.02f);
    char line[128];
    std::string obj = "v 0 0 0\n";
    for (int k = 0; k < 40; k++) {
        const double a = k * 2 * M_PI / 40;
        const float r = radius(random);
        std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", r * std::cos(a), r * std::sin(a),
                      height(random));
        obj += line;
    }
    for (int k = 0; k < 40; k++) {
        std::snprintf(line, sizeof line, "f 1 %d %d\n", k + 2, (k + 1) % 40 + 2);
        obj += line;
    }
    return obj;
}

TEST(VertexNormals, SharedNormalIsTheFacetsSummedInSinglePrecision) {
    std::mt19937 random(40);
    for (int fan = 0; fan < 50; fan++) {
        ModelPtr model = withNormals(randomFan(random), 90);
        ASSERT_TRUE(model);
        // The rule written out: a stored vector that adds the facets in list order, the
        // latest triangle first, then made unit.
        float sum[3] = {0, 0, 0};
        for (std::uint32_t t = model->facecount; t-- > 0;) {
            const Vec facet = facetNormal(model.get(), t);
            for (int k = 0; k < 3; k++) {
                sum[k] = sum[k] + facet[k];
            }
        }
        glmMakeUnit(sum);
        for (std::uint32_t t = 0; t < model->facecount; t++) {
            ASSERT_EQ(cornerNormal(model.get(), t, 0), (Vec{sum[0], sum[1], sum[2]}))
                << "fan " << fan << ", triangle " << t;
        }
    }
}

} // namespace
