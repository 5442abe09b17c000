// Welding: which vertices merge, which representative each gets, what happens to triangles,
// and the grid search against the direct definition on random inputs.
#include "gallery/glm.h"
#include "model_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

// The definition itself: each vector is represented by the first kept vector that lies
// within epsilon on every axis, else it is kept. Quadratic, and obviously so.
std::vector<std::uint32_t> directMapping(const std::vector<Vec3>& vectors, float epsilon) {
    std::vector<Vec3> kept;
    std::vector<std::uint32_t> mapping;
    for (const Vec3& v : vectors) {
        std::uint32_t found = 0;
        for (std::size_t k = 0; k < kept.size() && found == 0; k++) {
            bool near = true;
            for (int c = 0; c < 3; c++) {
                near = near && std::fabs(double(v[c]) - double(kept[k][c])) < epsilon;
            }
            found = near ? static_cast<std::uint32_t>(k + 1) : 0;
        }
        if (found == 0) {
            kept.push_back(v);
            found = static_cast<std::uint32_t>(kept.size());
        }
        mapping.push_back(found);
    }
    return mapping;
}

struct Merged {
    std::vector<std::uint32_t> mapping; // the representative of input i + 1, read from x
    std::vector<Vec3> kept;
};

// Runs glmMergeVectors on a 1-based copy of vectors.
Merged merge(const std::vector<Vec3>& vectors, float epsilon) {
    std::vector<float> array(3 * (vectors.size() + 1));
    std::memcpy(array.data() + 3, vectors.data(), vectors.size() * sizeof(Vec3));
    auto count = static_cast<std::uint32_t>(vectors.size());
    float* kept = glmMergeVectors(array.data(), &count, epsilon);
    Merged result;
    for (std::size_t i = 1; i <= vectors.size(); i++) {
        result.mapping.push_back(static_cast<std::uint32_t>(array[3 * i]));
    }
    for (std::uint32_t k = 1; k <= count; k++) {
        result.kept.push_back({kept[3 * k], kept[3 * k + 1], kept[3 * k + 2]});
    }
    std::free(kept);
    return result;
}

using Mapping = std::vector<std::uint32_t>;

struct WeldCase {
    const char* name;
    std::vector<Vec3> vectors;
    float epsilon;
    Mapping mapping;
};

// Rows print as their names, which keeps the test listing readable.
void PrintTo(const WeldCase& c, std::ostream* out) {
    *out << c.name;
}

class GlmMergeVectorsCases : public testing::TestWithParam<WeldCase> {};

TEST_P(GlmMergeVectorsCases, MapsEachVectorToItsFirstKeptMatch) {
    const WeldCase& c = GetParam();
    const Merged merged = merge(c.vectors, c.epsilon);
    EXPECT_EQ(merged.mapping, c.mapping);
    // The kept vectors are the inputs that represent themselves, in input order.
    std::vector<Vec3> expectedKept;
    for (std::size_t i = 0; i < c.mapping.size(); i++) {
        if (c.mapping[i] == expectedKept.size() + 1) {
            expectedKept.push_back(c.vectors[i]);
        }
    }
    ASSERT_EQ(merged.kept.size(), expectedKept.size());
    for (std::size_t k = 0; k < expectedKept.size(); k++) {
        for (int a = 0; a < 3; a++) {
            // Bit for bit (NaN included): kept vectors are copies.
            EXPECT_EQ(std::memcmp(&merged.kept[k][a], &expectedKept[k][a], sizeof(float)), 0)
                << "kept " << k + 1 << " axis " << a;
        }
    }
}

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Definition, GlmMergeVectorsCases,
    testing::Values(
        WeldCase{
            "EpsilonZeroKeepsEvenDuplicates", {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}}, 0.0f, {1, 2, 3}},
        WeldCase{"NegativeEpsilonKeepsEverything", {{1, 2, 3}, {1, 2, 3}}, -1.0f, {1, 2}},
        WeldCase{"NaNEpsilonKeepsEverything", {{1, 2, 3}, {1, 2, 3}}, kNaN, {1, 2}},
        WeldCase{"ExactlyEpsilonOnXDoesNotMerge", {{0, 0, 0}, {0.5f, 0, 0}}, 0.5f, {1, 2}},
        WeldCase{"ExactlyEpsilonOnYDoesNotMerge", {{0, 0, 0}, {0, -0.5f, 0}}, 0.5f, {1, 2}},
        WeldCase{"ExactlyEpsilonOnZDoesNotMerge", {{3, 3, 3}, {3, 3, 3.5f}}, 0.5f, {1, 2}},
        WeldCase{
            "BelowEpsilonOnEveryAxisMerges", {{0, 0, 0}, {0.49f, -0.49f, 0.49f}}, 0.5f, {1, 1}},
        WeldCase{"OneAxisTooFarKeepsBoth", {{0, 0, 0}, {0.1f, 0.1f, 0.7f}}, 0.5f, {1, 2}},
        // Each link is within epsilon, but only kept vectors are compared with.
        WeldCase{"ChainMergesIntoSeveralRepresentatives",
                 {{0, 0, 0}, {0.625f, 0, 0}, {1.25f, 0, 0}, {1.875f, 0, 0}, {2.5f, 0, 0}},
                 1.0f,
                 {1, 1, 2, 2, 3}},
        // Both kept vectors match the third; the lower index wins, whichever cell it is in.
        WeldCase{"LowestKeptIndexWins", {{1.5f, 0, 0}, {0, 0, 0}, {0.75f, 0, 0}}, 1.0f, {1, 2, 1}},
        WeldCase{"LowestKeptIndexWinsTheOtherWay",
                 {{0, 0, 0}, {1.5f, 0, 0}, {0.75f, 0, 0}},
                 1.0f,
                 {1, 2, 1}},
        WeldCase{"AcrossACellBorder", {{-0.1f, 0.9f, 1.9f}, {0.1f, 1.1f, 2.1f}}, 1.0f, {1, 1}},
        WeldCase{"SignedZerosMerge", {{0, 0, 0}, {-0.0f, -0.0f, -0.0f}}, 1e-6f, {1, 1}},
        // Far from the origin neighbouring floats are more than epsilon apart.
        WeldCase{"HugeCoordinatesMergeOnlyWhenEqual",
                 {{1e30f, -1e30f, 1e30f},
                  {1e30f, -1e30f, 1e30f},
                  {std::nextafter(1e30f, 0.0f), -1e30f, 1e30f}},
                 1e-3f,
                 {1, 1, 2}},
        WeldCase{"TinyEpsilon",
                 {{1, 1, 1}, {1, 1, 1}, {std::nextafter(1.0f, 2.0f), 1, 1}},
                 1e-30f,
                 {1, 1, 2}},
        WeldCase{"InfiniteEpsilonMergesEverythingFinite",
                 {{-1e38f, 0, 0}, {1e38f, 5, 5}, {0, 0, 0}},
                 kInf,
                 {1, 1, 1}},
        WeldCase{"NonFiniteVectorsNeverMerge",
                 {{kNaN, 0, 0}, {kNaN, 0, 0}, {kInf, 0, 0}, {kInf, 0, 0}, {0, 0, 0}},
                 1.0f,
                 {1, 2, 3, 4, 5}}),
    [](const testing::TestParamInfo<WeldCase>& info) { return info.param.name; });

// Random inputs: clustered points, points on cell borders and far-out points, for several
// epsilons; the grid must find exactly what the definition finds.
TEST(GlmMergeVectors, GridAgreesWithTheDefinitionOnRandomInputs) {
    std::mt19937 random(20240613);
    for (float epsilon : {0.001f, 0.1f, 0.3f, 1.0f, 7.0f}) {
        for (int round = 0; round < 20; round++) {
            std::uniform_real_distribution<float> centre(-5.0f, 5.0f);
            std::uniform_real_distribution<float> jitter(-1.5f * epsilon, 1.5f * epsilon);
            std::uniform_int_distribution<int> lattice(-20, 20);
            std::uniform_int_distribution<int> kind(0, 3);
            std::vector<Vec3> centres(8);
            for (Vec3& c : centres) {
                c = {centre(random), centre(random), centre(random)};
            }
            std::vector<Vec3> vectors(600);
            for (Vec3& v : vectors) {
                switch (kind(random)) {
                case 0: // near a cluster centre
                    v = centres[static_cast<std::size_t>(random() % centres.size())];
                    for (float& x : v) {
                        x += jitter(random);
                    }
                    break;
                case 1: // on cell borders
                    for (float& x : v) {
                        x = static_cast<float>(lattice(random)) * epsilon;
                    }
                    break;
                case 2: // an earlier vector again
                    v = vectors[static_cast<std::size_t>(random() % vectors.size())];
                    break;
                default:
                    v = {centre(random), centre(random), centre(random)};
                }
            }
            ASSERT_EQ(merge(vectors, epsilon).mapping, directMapping(vectors, epsilon))
                << "epsilon " << epsilon << " round " << round;
        }
    }
}

TEST(GlmMergeVertices, RewritesTrianglesAndKeepsDegenerateOnes) {
    // Two triangles; the second has all three corners within epsilon of each other.
    ModelPtr model = buildModel(
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}, {5.01f, 5, 5}, {5, 5.01f, 5}, {1.001f, 0, 0}},
        {{1, 2, 3}, {4, 5, 6}, {7, 3, 1}});
    setNormals(model.get(), {{0, 0, 1}}, {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}});
    glmMergeVertices(model.get(), 0.05f);

    ASSERT_EQ(model->vertexcount, 4u);
    const std::vector<float> vertices(model->vertices + 3, model->vertices + 3 * 5);
    EXPECT_EQ(vertices, (std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0, 5, 5, 5}));
    ASSERT_EQ(model->facecount, 3u);
    const Corners expected[] = {{1, 2, 3}, {4, 4, 4}, {2, 3, 1}};
    for (std::uint32_t t = 0; t < 3; t++) {
        EXPECT_EQ(Corners(std::to_array(model->faces[t].vertexidx)), expected[t]) << t;
        EXPECT_EQ(Corners(std::to_array(model->faces[t].normalidx)), (Corners{1, 1, 1}));
    }
    EXPECT_EQ(model->normalcount, 1u);
    EXPECT_EQ(glmLookupGroup(model.get(), "default")->facecount, 3u);
}

TEST(GlmMergeVerticesDeathTest, FaceIndexOutsideTheVerticesIsAnAssertion) {
    ModelPtr model = buildModel({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 4}});
    EXPECT_DEATH(glmMergeVertices(model.get(), 0.1f), "Assertion .*vertexcount");
}

} // namespace
