// Fitting, measuring, scaling and flipping; and the record operations.
#include "glm_test_util.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

std::array<float, 3> extentOf(ObjModel* model) {
    std::array<float, 3> dimensions{};
    glmMeasureExtent(model, dimensions.data());
    return dimensions;
}

struct FitCase {
    const char* obj;
    float scale;
    std::array<float, 3> extentBefore;
    std::array<float, 3> extentAfter;
};

TEST(Fitting, CentresAndScalesByTheLargestExtent) {
    const FitCase cases[] = {
        // Spans the origin on x: x from -3 to 1 becomes -1 to 1.
        {"v -3 -1 -1\nv 1 1 1\n", 0.5f, {4, 2, 2}, {2, 1, 1}},
        // Off the origin: |4| + |2| = 6, so x runs from -1/3 to 1/3.
        {"v 2 -0.5 -0.25\nv 4 0.5 0.25\n", 1 / 3.0f, {6, 1, 0.5f}, {2 / 3.0f, 1 / 3.0f, 1 / 6.0f}},
    };
    for (const FitCase& fit : cases) {
        ModelPtr model = readModel(fit.obj);
        ASSERT_TRUE(model);
        EXPECT_EQ(extentOf(model.get()), fit.extentBefore);
        EXPECT_FLOAT_EQ(glmFitUnitCube(model.get()), fit.scale);
        const std::array<float, 3> after = extentOf(model.get());
        for (int axis = 0; axis < 3; axis++) {
            EXPECT_FLOAT_EQ(after[axis], fit.extentAfter[axis]) << fit.obj;
            // Centred: the two vertices are opposite corners of the box.
            EXPECT_FLOAT_EQ(model->vertices[3 + axis], -model->vertices[6 + axis]);
        }
    }
}

TEST(Fitting, SecondFitOfAModelAcrossTheOriginReturnsOne) {
    ModelPtr model = readModel("v -3 -1 -1\nv 1 1 1\nv 0 0.5 0\n");
    ASSERT_TRUE(model);
    glmFitUnitCube(model.get());
    EXPECT_EQ(glmFitUnitCube(model.get()), 1.0f);
}

TEST(Fitting, ModelsWithoutSizeAreLeftAlone) {
    for (const char* obj : {"", "v 0 0 0\nv 0 0 0\n"}) {
        ModelPtr model = readModel(obj);
        ASSERT_TRUE(model);
        EXPECT_EQ(glmFitUnitCube(model.get()), 1.0f);
        EXPECT_EQ(extentOf(model.get()), (std::array<float, 3>{0, 0, 0}));
    }
}

TEST(Scaling, MultipliesEveryVertexButNotTheUnusedSlot) {
    ModelPtr model = readModel("v 1 -2 3\nv 0.5 0 4\n");
    ASSERT_TRUE(model);
    glmScaleModel(model.get(), -2);
    EXPECT_EQ(std::vector<float>(model->vertices, model->vertices + 9),
              (std::vector<float>{0, 0, 0, -2, 4, -6, -1, 0, -8}));
}

TEST(Flipping, SwapsFirstAndLastCornersAndTwiceRestoresEverything) {
    ModelPtr model = readModel("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\n"
                               "vn 0 0 1\nvn 0 1 0\nf 1/1/1 2/2/2 3/3/1 4/1/2\n");
    ASSERT_TRUE(model);
    glmBuildFacetNormals(model.get());
    const std::vector<float> normals(model->normals, model->normals + 9);
    const std::vector<float> facets(model->facetnorms, model->facetnorms + 9);
    const std::vector<ObjTriangle> faces(model->faces, model->faces + model->facecount);
    const ObjTriangle first = faces[0];
    glmFlipWinding(model.get());
    const ObjTriangle& flipped = model->faces[0];
    for (int c = 0; c < 3; c++) {
        EXPECT_EQ(flipped.vertexidx[c], first.vertexidx[2 - c]);
        EXPECT_EQ(flipped.texcoordidx[c], first.texcoordidx[2 - c]);
        EXPECT_EQ(flipped.normalidx[c], first.normalidx[2 - c]);
        EXPECT_EQ(model->facetnorms[3 + c], -facets[3 + c]);
        EXPECT_EQ(model->normals[6 + c], -normals[6 + c]);
    }
    glmFlipWinding(model.get());
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        EXPECT_EQ(std::memcmp(&model->faces[t], &faces[t], sizeof(ObjTriangle)), 0);
    }
    EXPECT_EQ(std::vector<float>(model->normals, model->normals + 9), normals);
    EXPECT_EQ(std::vector<float>(model->facetnorms, model->facetnorms + 9), facets);
}

TEST(Records, GroupsAreUniqueAndMaterialsFoundByFirstName) {
    ModelPtr model = readModel("mtllib model.mtl\n", "newmtl a\nnewmtl b\nnewmtl a\n");
    ASSERT_TRUE(model);
    ObjGroup* created = glmEnsureGroup(model.get(), "x");
    EXPECT_EQ(glmEnsureGroup(model.get(), "x"), created);
    EXPECT_EQ(model->grouplist, created);
    EXPECT_EQ(model->groupcount, 2u);
    EXPECT_EQ(glmLookupGroup(model.get(), "X"), nullptr); // case matters
    EXPECT_EQ(glmFindMaterial(model.get(), "a"), 1u);
    EXPECT_EQ(glmFindMaterial(model.get(), "b"), 2u);
    EXPECT_EQ(glmFindMaterial(model.get(), "default"), 0u);
}

} // namespace
