// The sky cube on the real GL with pictures made by a real BMP encoder (ImageMagick).
#include "gl_window.h"
#include "sky_cube.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Colour {
    const char* hex;
    Rgb rgb;
};
// One plain colour per picture number.
constexpr Colour pictureColours[6] = {
    {"#ff0000", {255, 0, 0}},   {"#00ff00", {0, 255, 0}},   {"#0000ff", {0, 0, 255}},
    {"#ffff00", {255, 255, 0}}, {"#ff00ff", {255, 0, 255}}, {"#00ffff", {0, 255, 255}},
};
constexpr Rgb untextured{255, 255, 255}; // the current colour, white, with lighting off

// A folder holding textury/skybox0.bmp to skybox5.bmp, except the picture `missing` (-1: none).
class PictureFolder {
public:
    explicit PictureFolder(int missing) {
        std::string pattern = (fs::temp_directory_path() / "sky-cube-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "no temporary folder";
            return;
        }
        root = pattern;
        fs::create_directory(root / "textury");
        for (int k = 0; k < 6; ++k) {
            if (k == missing) {
                continue;
            }
            const std::string command =
                std::string("convert -size 8x8 xc:'") + pictureColours[k].hex +
                "' BMP3:" + (root / "textury" / ("skybox" + std::to_string(k) + ".bmp")).string();
            EXPECT_EQ(std::system(command.c_str()), 0) << command;
        }
    }
    ~PictureFolder() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    // Loads the cube's textures with the folder as the working directory, as the program does.
    void loadInto(SkyCube& cube) const {
        const fs::path previous = fs::current_path();
        fs::current_path(root);
        cube.loadTextures();
        fs::current_path(previous);
    }

private:
    fs::path root;
};

struct View {
    const char* face;
    int picture;
    double dx, dy, dz;
};
// From the middle of the cube, straight at each face.
constexpr View views[6] = {
    {"wall at z = -120", 0, 0, 0, -1}, {"ground", 1, 0, -1, 0},
    {"wall at z = +120", 2, 0, 0, 1},  {"wall at x = -120", 3, -1, 0, 0},
    {"wall at x = +120", 4, 1, 0, 0},  {"ceiling", 5, 0, 1, 0},
};

Rgb centreOfView(const SkyCube& cube, const View& view) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glEnable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(90, 640.0 / 480.0, 0.1, 500);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const double eye[3] = {0, 50, 0};
    // Looking straight up or down needs another up vector.
    const bool vertical = view.dy != 0;
    gluLookAt(eye[0], eye[1], eye[2], eye[0] + view.dx, eye[1] + view.dy, eye[2] + view.dz, 0,
              vertical ? 0 : 1, vertical ? -1 : 0);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    cube.draw();
    glFinish();
    const Rgb pixel = readPixel(320, 240);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    return pixel;
}

void expectFaces(const SkyCube& cube, int missing) {
    for (const View& view : views) {
        const Rgb expected =
            view.picture == missing ? untextured : pictureColours[view.picture].rgb;
        const Rgb seen = centreOfView(cube, view);
        EXPECT_EQ(seen.r, expected.r) << view.face;
        EXPECT_EQ(seen.g, expected.g) << view.face;
        EXPECT_EQ(seen.b, expected.b) << view.face;
    }
}

TEST(SkyCube, EachFaceShowsThePictureOfItsNumber) {
    const PictureFolder folder(-1);
    SkyCube cube;
    folder.loadInto(cube);
    expectFaces(cube, -1);
}

TEST(SkyCube, AMissingPictureLeavesOnlyItsFaceUntextured) {
    const PictureFolder folder(3);
    SkyCube cube;
    folder.loadInto(cube);
    for (const GLuint name : cube.faceTextures) {
        EXPECT_NE(name, 0u) << "every name is generated";
    }
    expectFaces(cube, 3);
}

TEST(SkyCube, ConstructionGeneratesNoName) {
    const SkyCube cube;
    for (const GLuint name : cube.faceTextures) {
        EXPECT_EQ(name, 0u);
    }
}

} // namespace
