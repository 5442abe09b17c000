// The library's messages, their streams and the exit statuses, each run in a child process.
#include "glm_test_util.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    const std::string unknown = writeScratchFile("unknown.obj", "v 0 0 0\nvp 1 2\nvx 1 2\n");
    const std::string badIndex = writeScratchFile("bad-index.obj", "v 0 0 0\nf 1 1 2\n");

    expectRun(runInChild([] { readAndDestroy("no/such/file.obj"); }),
              {1, "", "glmReadOBJ() failed: can't open data file \"no/such/file.obj\".\n"});
    expectRun(runInChild([&] { readAndDestroy(unknown); }),
              {1, "glmFirstPass(): Unknown token \"vx\".\n", ""}); // "vp" is skipped
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

// A missing library and the materials it would have held are warnings: the geometry reads.
// A reading with a report keeps them there and prints nothing; a failed reading prints only
// why it failed.
TEST(Messages, MissingMaterialsAreWarningsAndReadingGoesOn) {
    const std::string path =
        writeScratchFile("usemtl.obj", "mtllib nowhere.mtl\nv 0 0 0\nusemtl wood\nusemtl\n");
    const std::string library = path.substr(0, path.rfind('/') + 1) + "nowhere.mtl";
    const std::vector<std::string> warnings = {
        "glmReadMTL() warning: can't open material file \"" + library +
            "\": No such file or directory; the model is read without its materials.",
        "glmFindMaterial():  can't find material \"wood\".",
        "glmFindMaterial():  can't find material \"\"."};
    expectRun(runInChild([&] { readAndDestroy(path); }),
              {0, warnings[0] + "\n" + warnings[1] + "\n" + warnings[2] + "\n", ""});
    expectRun(runInChild([&] {
                  ObjReadReport report;
                  glmDestroyModel(glmReadOBJWith(path.c_str(), {0, -1, &report}, nullptr));
                  std::exit(report.warnings == warnings ? 0 : 2);
              }),
              {0, "", ""});
    const std::string broken =
        writeScratchFile("broken.obj", "mtllib nowhere.mtl\nusemtl wood\nf 1 2 3\n");
    expectRun(runInChild([&] { readAndDestroy(broken); }),
              {1, "",
               "glmReadOBJ() failed: \"" + broken +
                   "\" line 3: vertex index 1 refers to nothing: the file defines no vertices.\n"});
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
