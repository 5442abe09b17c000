// The library's messages, their streams and the exit statuses, each run in a child process.
#include "glm_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Expected {
    int status;
    std::string out;
    std::string err;
};

void expectRun(const ChildRun& run, const Expected& expected) {
    EXPECT_EQ(run.exitStatus, expected.status);
    EXPECT_EQ(run.out, expected.out);
    EXPECT_EQ(run.err, expected.err);
}

void readAndDestroy(const std::string& path) {
    glmDestroyModel(glmReadOBJ(path.c_str()));
}

TEST(Messages, ReaderFailuresEndTheProcessOnTheirStream) {
    const std::string missing = writeScratchFile("missing-mtl.obj", "mtllib nowhere.mtl\n");
    const std::string directory = missing.substr(0, missing.rfind('/') + 1);
    const std::string unknown = writeScratchFile("unknown.obj", "v 0 0 0\nvp 1 2\n");
    const std::string badIndex = writeScratchFile("bad-index.obj", "v 0 0 0\nf 1 1 2\n");

    expectRun(runInChild([] { readAndDestroy("no/such/file.obj"); }),
              {1, "", "glmReadOBJ() failed: can't open data file \"no/such/file.obj\".\n"});
    expectRun(
        runInChild([&] { readAndDestroy(missing); }),
        {1, "",
         "glmReadMTL() failed: can't open material file \"" + directory + "nowhere.mtl\".\n"});
    expectRun(runInChild([&] { readAndDestroy(unknown); }),
              {1, "glmFirstPass(): Unknown token \"vp\".\n", ""});
    expectRun(runInChild([&] { readAndDestroy(badIndex); }),
              {1, "",
               "glmReadOBJ() failed: \"" + badIndex +
                   "\" line 2: vertex index 2 is out of range: the file defines 1.\n"});
}

TEST(Messages, TheNonExitingReaderPrintsNothing) {
    expectRun(runInChild([] {
                  std::string error;
                  if (glmTryReadOBJ("no/such/file.obj", &error) != nullptr ||
                      error != "glmReadOBJ() failed: can't open data file \"no/such/file.obj\".") {
                      std::exit(2);
                  }
              }),
              {0, "", ""});
}

TEST(Messages, MissingMaterialsAreWarningsAndReadingGoesOn) {
    const std::string path = writeScratchFile("usemtl.obj", "v 0 0 0\nusemtl wood\nusemtl\n");
    expectRun(runInChild([&] { readAndDestroy(path); }),
              {0,
               "glmFindMaterial():  can't find material \"wood\".\n"
               "glmFindMaterial():  can't find material \"\".\n",
               ""});
}

TEST(Messages, UnusedVertexIsReportedOnceAndGetsNoNormal) {
    const std::string path = writeScratchFile("unused.obj", "v 0 0 0\nv 1 0 0\nv 5 5 5\nv 0 1 0\n"
                                                            "f 1 2 4\n");
    expectRun(runInChild([&] {
                  ObjModel* model = glmReadOBJ(path.c_str());
                  glmBuildFacetNormals(model);
                  glmVertexNormals(model, 90.0f);
                  std::exit(model->normalcount == 3 ? 0 : 2);
              }),
              {0, "", "glmVertexNormals(): vertex w/o a triangle\n"});
}

// Each precondition aborts with the expression it tests.
TEST(Messages, PreconditionsNameTheirExpression) {
    ObjModel empty{};
    float vector[3] = {1, 2, 3};
    EXPECT_DEATH(glmDestroyModel(nullptr), "`model'");
    EXPECT_DEATH(glmLookupGroup(nullptr, "x"), "`model'");
    EXPECT_DEATH(glmFindMaterial(nullptr, "x"), "`model'");
    EXPECT_DEATH(glmBuildFacetNormals(&empty), "`model->vertices'");
    EXPECT_DEATH(glmVertexNormals(&empty, 90), "`model->facetnorms'");
    EXPECT_DEATH(glmFitUnitCube(&empty), "`model->vertices'");
    EXPECT_DEATH(glmMeasureExtent(&empty, vector), "`model->vertices'");
    empty.vertices = vector;
    EXPECT_DEATH(glmMeasureExtent(&empty, nullptr), "`dimensions'");
    EXPECT_DEATH(glmFlipWinding(nullptr), "`model'");
    EXPECT_DEATH(glmMakeUnit(nullptr), "`v'");
    EXPECT_DEATH(glmCross(vector, vector, nullptr), "`n'");
    EXPECT_DEATH(glmDot(nullptr, vector), "`u'");
    EXPECT_DEATH(glmDot(vector, nullptr), "`v'");
    EXPECT_DEATH(glmReadOBJ(nullptr), "`path'");
}

} // namespace
