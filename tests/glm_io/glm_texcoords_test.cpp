// Generated texture coordinates: sphere mapping's values worked out by hand and its
// properties (inside the unit square, back to the normal's direction, the seams and the poles),
// planar mapping's projection and range, and the corner indices both rewrite.
#include "gallery/glm.h"
#include "model_fixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

using Pair = std::array<float, 2>;

Pair texcoord(const ObjModel* model, std::uint32_t i) {
    return {model->texcoordarray[2 * i], model->texcoordarray[2 * i + 1]};
}

// A fan of triangles over the given vertex normals, normal index = vertex index.
ModelPtr modelWithNormals(const std::vector<Vec3>& normals) {
    std::vector<Vec3> vertices(normals.size(), {0, 0, 0});
    std::vector<Corners> triangles;
    for (std::int32_t i = 3; i <= static_cast<std::int32_t>(normals.size()); i++) {
        triangles.push_back({1, i - 1, i});
    }
    ModelPtr model = buildModel(vertices, triangles);
    setNormals(model.get(), normals, triangles);
    return model;
}

struct SphereCase {
    Vec3 normal;
    Pair expected;
};

TEST(GlmSphereTexCoords, AxisNormalsGiveTheirExactValues) {
    // The x axis has no y-z part (r = 0); z and y show the two constants near pi / 2.
    const SphereCase cases[] = {
        {{0, 0, 1}, {0.49999994f, 0.5f}},  {{1, 0, 0}, {0.0f, 0.0f}},
        {{0, 1, 0}, {1.0f, 0.5f}},         {{-1, 0, 0}, {0.0f, 0.0f}},
        {{0, 0, -1}, {0.49999994f, 0.5f}},
    };
    std::vector<Vec3> normals;
    for (const SphereCase& c : cases) {
        normals.push_back(c.normal);
    }
    ModelPtr model = modelWithNormals(normals);
    glmSphereTexCoords(model.get());
    ASSERT_EQ(model->texcoordcount, normals.size());
    for (std::uint32_t i = 0; i < normals.size(); i++) {
        EXPECT_EQ(texcoord(model.get(), i + 1), cases[i].expected) << "normal " << i + 1;
    }
}

TEST(GlmSphereTexCoords, OneCoordinatePerNormalIndexedLikeTheNormals) {
    ModelPtr model = buildModel({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 3}, {3, 2, 1}});
    setNormals(model.get(), {{0, 0, 1}, {0, 1, 0}, {0.6f, 0.8f, 0}, {0, -0.6f, 0.8f}},
               {{4, 3, 2}, {1, 1, 4}});
    setTexcoords(model.get(), {{9, 9}}, {{1, 1, 1}, {1, 1, 1}});
    glmSphereTexCoords(model.get());
    ASSERT_EQ(model->texcoordcount, 4u);
    EXPECT_EQ(std::to_array(model->faces[0].texcoordidx), (Corners{4, 3, 2}));
    EXPECT_EQ(std::to_array(model->faces[1].texcoordidx), (Corners{1, 1, 4}));
    // (0.6, 0.8, 0): phi = acos(0.6), theta = asin(1) + pi / 2.
    EXPECT_FLOAT_EQ(texcoord(model.get(), 3)[0], 1.0f);
    EXPECT_FLOAT_EQ(texcoord(model.get(), 3)[1], static_cast<float>(std::acos(0.6) / M_PI));
    // (0, -0.6, 0.8): theta = asin(-0.6) + pi / 2, phi = pi / 2.
    EXPECT_FLOAT_EQ(texcoord(model.get(), 4)[0],
                    static_cast<float>((std::asin(-0.6) + M_PI / 2) / M_PI));
    EXPECT_FLOAT_EQ(texcoord(model.get(), 4)[1], 0.5f);
}

// Worked by hand. s is theta / pi with theta = asin(y / r) + 1.570796325, r = |(y, z)|; t is
// phi / pi with phi = acos(x). The constant lies 1.8e-9 below pi / 2, so the south seam
// (y / r = -1) maps to s = -1.79489656e-9 / 3.14159265 = -5.71333314e-10, just below 0.
constexpr float southSeam = -5.71333314e-10f;

TEST(GlmSphereTexCoords, WorkedExamples) {
    const SphereCase cases[] = {
        {{0, -1, 0}, {southSeam, 0.5f}},                 // the south seam
        {{0.6f, -0.8f, 0}, {southSeam, 0.295167238f}},   // on it too: acos(0.6) / pi
        {{-0.6f, 0, 0.8f}, {0.49999994f, 0.704832792f}}, // acos(-0.6) / pi
        {{0, 0.6f, 0.8f}, {0.704832792f, 0.5f}},         // asin(0.6) / pi + 0.5
    };
    std::vector<Vec3> normals;
    for (const SphereCase& c : cases) {
        normals.push_back(c.normal);
    }
    ModelPtr model = modelWithNormals(normals);
    glmSphereTexCoords(model.get());
    for (std::uint32_t i = 0; i < normals.size(); i++) {
        EXPECT_EQ(texcoord(model.get(), i + 1), cases[i].expected) << "normal " << i + 1;
    }
}

// Unit normals spread over the sphere, a third of them close to the x axis (the poles, where
// r is tiny) and a fifth close to the y-z plane's seams (z near 0).
std::vector<Vec3> unitNormals(int count) {
    std::mt19937 random(13);
    std::normal_distribution<float> component;
    std::vector<Vec3> normals(static_cast<std::size_t>(count));
    for (int i = 0; i < count; i++) {
        Vec3 n = {component(random), component(random), component(random)};
        if (i % 3 == 0) {
            n[1] *= 1e-4f;
            n[2] *= 1e-4f;
        }
        if (i % 5 == 0) {
            n[2] *= 1e-5f;
        }
        glmMakeUnit(n.data());
        normals[static_cast<std::size_t>(i)] = n;
    }
    return normals;
}

TEST(GlmSphereTexCoords, UnitNormalsMapInsideTheSquareAndBackToTheirDirection) {
    const std::vector<Vec3> normals = unitNormals(20000);
    ModelPtr model = modelWithNormals(normals);
    glmSphereTexCoords(model.get());
    int outside = 0;
    int astray = 0;
    for (std::uint32_t i = 0; i < normals.size(); i++) {
        const Vec3& n = normals[i];
        const auto [s, t] = texcoord(model.get(), i + 1);
        outside += (s >= 0 || s == southSeam) && s <= 1 && t >= 0 && t <= 1 ? 0 : 1;
        // t gives back x, and s the direction in the y-z plane, where there is one.
        const double r = std::hypot(double(n[1]), double(n[2]));
        const bool xBack = std::abs(std::cos(M_PI * t) - n[0]) < 2e-6;
        const bool yzBack = r < 1e-3 || std::abs(-std::cos(M_PI * s) - n[1] / r) < 2e-6;
        astray += xBack && yzBack ? 0 : 1;
    }
    EXPECT_EQ(outside, 0) << "of " << normals.size() << " normals";
    EXPECT_EQ(astray, 0) << "of " << normals.size() << " normals";
}

TEST(GlmSphereTexCoords, MirroredAcrossTheSeamTheCoordinateIsTheSame) {
    std::vector<Vec3> normals = unitNormals(2000);
    const std::size_t count = normals.size();
    for (std::size_t i = 0; i < count; i++) {
        normals.push_back({normals[i][0], normals[i][1], -normals[i][2]});
    }
    ModelPtr model = modelWithNormals(normals);
    glmSphereTexCoords(model.get());
    for (std::uint32_t i = 1; i <= count; i++) {
        ASSERT_EQ(texcoord(model.get(), i), texcoord(model.get(), i + std::uint32_t(count))) << i;
    }
}

TEST(GlmSphereTexCoords, BothPolesCollapseToTheCorner) {
    // Beside the -x pole t nears 1, but the pole itself, with r = 0, maps to (0, 0), as +x does.
    Vec3 besidePole = {-1, std::tan(1e-3f), 0}; // 0.001 from the pole
    glmMakeUnit(besidePole.data());
    ModelPtr model = modelWithNormals({{1, 0, 0}, {-1, 0, 0}, besidePole});
    glmSphereTexCoords(model.get());
    EXPECT_EQ(texcoord(model.get(), 1), (Pair{0, 0}));
    EXPECT_EQ(texcoord(model.get(), 2), (Pair{0, 0}));
    // acos(-cos(0.001)) / pi, give or take what a float x so near -1 loses.
    EXPECT_NEAR(texcoord(model.get(), 3)[1], 1 - 1e-3 / M_PI, 1e-4);
}

TEST(GlmSphereTexCoordsDeathTest, ModelWithoutNormalsIsAnAssertion) {
    ModelPtr model = buildModel({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 3}});
    EXPECT_DEATH(glmSphereTexCoords(model.get()), "Assertion `model->normals' failed");
}

TEST(GlmPlanarTexCoords, ProjectsOntoXzScaledByTheLargestExtent) {
    // x spans 4, y spans 10 (the largest, so scale = 0.2) and z spans 2; y is not projected.
    ModelPtr model =
        buildModel({{-2, -5, -1}, {2, 5, 1}, {2, 0, 1}, {0, 3, 0}}, {{1, 2, 3}, {2, 3, 4}});
    glmPlanarTexCoords(model.get());
    ASSERT_EQ(model->texcoordcount, 4u);
    const Pair expected[] = {{0.3f, 0.4f}, {0.7f, 0.6f}, {0.7f, 0.6f}, {0.5f, 0.5f}};
    for (std::uint32_t i = 0; i < 4; i++) {
        EXPECT_FLOAT_EQ(texcoord(model.get(), i + 1)[0], expected[i][0]) << i + 1;
        EXPECT_FLOAT_EQ(texcoord(model.get(), i + 1)[1], expected[i][1]) << i + 1;
    }
    EXPECT_EQ(std::to_array(model->faces[0].texcoordidx), (Corners{1, 2, 3}));
    EXPECT_EQ(std::to_array(model->faces[1].texcoordidx), (Corners{2, 3, 4}));
}

TEST(GlmPlanarTexCoords, FittedModelLiesWithinTheUnitSquare) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-30.0f, 70.0f);
    std::vector<Vec3> vertices(500);
    for (Vec3& v : vertices) {
        v = {coordinate(random), coordinate(random) * 0.1f, coordinate(random)};
    }
    // Two vertices pin x and z to the same span so that both reach 0 and 1 after fitting.
    vertices[0] = {-30, 0, -30};
    vertices[1] = {70, 0, 70};
    ModelPtr model = buildModel(vertices, {{1, 2, 3}});
    glmFitUnitCube(model.get());
    glmPlanarTexCoords(model.get());
    float low = 1.0f;
    float high = 0.0f;
    for (std::uint32_t i = 1; i <= model->texcoordcount; i++) {
        for (float value : texcoord(model.get(), i)) {
            ASSERT_GE(value, 0.0f) << i;
            ASSERT_LE(value, 1.0f) << i;
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    EXPECT_FLOAT_EQ(low, 0.0f);
    EXPECT_FLOAT_EQ(high, 1.0f);
}

TEST(GlmPlanarTexCoords, DegenerateModelsGetDefinedCoordinates) {
    ModelPtr empty = buildModel({}, {});
    glmPlanarTexCoords(empty.get());
    EXPECT_EQ(empty->texcoordcount, 0u);
    EXPECT_NE(empty->texcoordarray, nullptr);

    // No extent to scale by: the point maps to the middle of the texture.
    ModelPtr point = buildModel({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {{1, 2, 3}});
    glmPlanarTexCoords(point.get());
    for (std::uint32_t i = 1; i <= 3; i++) {
        EXPECT_EQ(texcoord(point.get(), i), (Pair{0.5f, 0.5f}));
    }
}

} // namespace
