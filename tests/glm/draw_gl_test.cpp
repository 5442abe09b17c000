// Drawing on the real GL: what reaches the pipeline is read back in feedback mode, with
// lighting set up so that a vertex's colour shows the normal it was given.
#include "glm_test_util.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

struct FedVertex {
    float x, y;    // window coordinates
    float r, g, b; // colour after lighting
    float s, t;    // texture coordinate
};
using Polygon = std::vector<FedVertex>;

// Draws in feedback mode and returns the polygons that came out, in order.
std::vector<Polygon> feedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 14);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint size = glRenderMode(GL_RENDER);
    std::vector<Polygon> polygons;
    for (GLint i = 0; i < size;) {
        EXPECT_EQ(buffer[i], GL_POLYGON_TOKEN);
        const int count = static_cast<int>(buffer[i + 1]);
        i += 2;
        Polygon polygon;
        for (int v = 0; v < count; v++, i += 11) {
            const GLfloat* f = &buffer[i];
            polygon.push_back({f[0], f[1], f[3], f[4], f[5], f[7], f[8]});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

// Runs body with standard output going to a file; returns what it printed.
std::string captureStdout(const std::function<void()>& body) {
    const std::string path = writeScratchFile("stdout.txt", "");
    std::fflush(stdout);
    const int saved = dup(1);
    std::FILE* file = std::fopen(path.c_str(), "w");
    dup2(fileno(file), 1);
    body();
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    std::fclose(file);
    std::FILE* in = std::fopen(path.c_str(), "r");
    std::string text;
    for (int c; (c = std::fgetc(in)) != EOF;) {
        text += static_cast<char>(c);
    }
    std::fclose(in);
    return text;
}

// A white light along +z and no ambient light: a vertex's lit red is its normal's z (times
// the material's diffuse red).
class DrawTest : public testing::Test {
protected:
    void SetUp() override {
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        const GLfloat direction[] = {0, 0, 1, 0};
        const GLfloat white[] = {1, 1, 1, 1};
        const GLfloat black[] = {0, 0, 0, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, black);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, black);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
        glEnable(GL_LIGHT0);
        glDisable(GL_COLOR_MATERIAL);
        model = readModel("mtllib model.mtl\n"
                          "v -0.5 -0.5 0\nv 0.5 -0.5 0\nv 0.5 0.5 0\nv -0.5 0.5 0\n"
                          "vt 0.25 0.5\nvt 0.5 0.75\nvt 0.75 0.25\n"
                          "vn 0 0 1\nvn 0 0.6 0.8\nvn 0 0.8 0.6\n"
                          "g first\nusemtl red\nf 1/1/1 2/2/2 3/3/3\n"
                          "g second\nusemtl green\nf 1/3/3 3/1/1 4/2/2\n",
                          "newmtl red\nKd 1 0 0\nnewmtl green\nKd 0 1 0\n");
        ASSERT_TRUE(model);
    }
    void TearDown() override { glPopAttrib(); }

    ModelPtr model;
};

// The groups come out latest first: "second" (1, 3, 4), then "first" (1, 2, 3).
const float kX[2][3] = {{160, 480, 160}, {160, 480, 480}};
const float kY[2][3] = {{120, 360, 360}, {120, 120, 360}};

TEST_F(DrawTest, SmoothNormalAndTextureBelongToTheirOwnCorner) {
    glEnable(GL_LIGHTING);
    const std::vector<Polygon> polygons =
        feedback([&] { glmDraw(model.get(), ObjModeSmooth | ObjModeTexture); });
    ASSERT_EQ(polygons.size(), 2u);
    const float red[2][3] = {{0.6f, 1.0f, 0.8f}, {1.0f, 0.8f, 0.6f}};
    const float s[2][3] = {{0.75f, 0.25f, 0.5f}, {0.25f, 0.5f, 0.75f}};
    for (int p = 0; p < 2; p++) {
        ASSERT_EQ(polygons[p].size(), 3u);
        for (int c = 0; c < 3; c++) {
            const FedVertex& v = polygons[p][c];
            EXPECT_FLOAT_EQ(v.x, kX[p][c]) << p << c;
            EXPECT_FLOAT_EQ(v.y, kY[p][c]) << p << c;
            EXPECT_NEAR(v.r, red[p][c], 1e-3) << p << c;
            EXPECT_FLOAT_EQ(v.s, s[p][c]) << p << c;
        }
    }
}

TEST_F(DrawTest, FlatGivesOneFacetNormalPerTriangle) {
    glmBuildFacetNormals(model.get());
    model->facetnorms[5] = 0.5f; // the first triangle's normal now lights to 0.5
    glEnable(GL_LIGHTING);
    const std::vector<Polygon> polygons = feedback([&] { glmDraw(model.get(), ObjModeFlat); });
    ASSERT_EQ(polygons.size(), 2u);
    for (int c = 0; c < 3; c++) {
        EXPECT_NEAR(polygons[0][c].r, 1.0f, 1e-3);
        EXPECT_NEAR(polygons[1][c].r, 0.5f, 1e-3);
    }
}

TEST_F(DrawTest, MaterialsAreSetPerGroup) {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    const std::vector<Polygon> polygons =
        feedback([&] { glmDraw(model.get(), ObjModeSmooth | ObjModeMaterial); });
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_NEAR(polygons[0][1].g, 1.0f, 1e-3); // green, normal 1
    EXPECT_NEAR(polygons[0][1].r, 0.0f, 1e-3);
    EXPECT_NEAR(polygons[1][0].r, 1.0f, 1e-3); // red, normal 1
    EXPECT_NEAR(polygons[1][0].g, 0.0f, 1e-3);
    GLfloat shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_EQ(shininess, 65.0f); // the default group, drawn last
    // The back faces get the same material (SetUp gave both faces another).
    for (const GLenum property : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_SHININESS}) {
        std::array<GLfloat, 4> front{};
        std::array<GLfloat, 4> back{};
        glGetMaterialfv(GL_FRONT, property, front.data());
        glGetMaterialfv(GL_BACK, property, back.data());
        EXPECT_EQ(back, front) << "property " << property;
    }
}

TEST_F(DrawTest, ColorModeTracksTheDiffuseColour) {
    glDisable(GL_LIGHTING);
    const std::vector<Polygon> polygons = feedback([&] { glmDraw(model.get(), ObjModeColor); });
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(polygons[0][2].g, 1.0f);
    EXPECT_EQ(polygons[0][2].r, 0.0f);
    EXPECT_EQ(polygons[1][2].r, 1.0f);
    EXPECT_EQ(polygons[1][2].g, 0.0f);
    // Without Color or Material the switch is left as it was.
    glDisable(GL_COLOR_MATERIAL);
    feedback([&] { glmDraw(model.get(), 0); });
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(DrawTest, ModeCorrectionsWarnInOrder) {
    ModelPtr bare = readModel("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    ASSERT_TRUE(bare);
    EXPECT_EQ(captureStdout([&] { feedback([&] { glmDraw(bare.get(), 31); }); }),
              "glmDraw() warning: flat render mode requested with no facet normals defined.\n"
              "glmDraw() warning: smooth render mode requested with no normals defined.\n"
              "glmDraw() warning: texture render mode requested with no texture coordinates "
              "defined.\n"
              "glmDraw() warning: color render mode requested with no materials defined.\n"
              "glmDraw() warning: material render mode requested with no materials defined.\n");
    glmBuildFacetNormals(model.get());
    EXPECT_EQ(captureStdout([&] { feedback([&] { glmDraw(model.get(), 3 | 24); }); }),
              "glmDraw() warning: flat render mode requested and smooth render mode requested "
              "(using smooth).\n"
              "glmDraw() warning: color and material render mode requested using only material "
              "mode.\n");
}

TEST_F(DrawTest, DisplayListHoldsTheSameDrawingAndWarnsWhenCompiled) {
    glEnable(GL_LIGHTING);
    const unsigned mode = ObjModeFlat | ObjModeSmooth | ObjModeTexture | ObjModeMaterial;
    glmBuildFacetNormals(model.get());
    const std::vector<Polygon> direct = feedback([&] { glmDraw(model.get(), mode); });
    GLuint list = 0;
    EXPECT_EQ(captureStdout([&] { list = glmCompileList(model.get(), mode); }),
              "glmDraw() warning: flat render mode requested and smooth render mode requested "
              "(using smooth).\n");
    ASSERT_NE(list, 0u);
    std::vector<Polygon> listed;
    EXPECT_EQ(captureStdout([&] { listed = feedback([&] { glCallList(list); }); }), "");
    ASSERT_EQ(listed.size(), direct.size());
    for (std::size_t p = 0; p < listed.size(); p++) {
        for (std::size_t c = 0; c < 3; c++) {
            EXPECT_EQ(listed[p][c].x, direct[p][c].x);
            EXPECT_EQ(listed[p][c].r, direct[p][c].r);
            EXPECT_EQ(listed[p][c].g, direct[p][c].g);
            EXPECT_EQ(listed[p][c].s, direct[p][c].s);
        }
    }
}

} // namespace
