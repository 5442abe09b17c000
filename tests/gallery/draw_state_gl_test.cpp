// Every draw routine of the game on the real GL leaves the state as it found it: it is drawn
// twice (the first draw builds lists or reads the model) from two starting states, one with
// texturing and blending off as the frame has them and one with both on, and every part of
// the state is read before and after. Only a booth box leaves something: its own material,
// which the booth set's lists are compiled from.
#include "booth_set.h"
#include "counter_text.h"
#include "crosshair.h"
#include "explosion.h"
#include "gl_state_snapshot.h"
#include "picture_folder.h"
#include "shotgun.h"
#include "sky_cube.h"
#include "target.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// One of each object, with real pictures bound where they have pictures.
struct Scene {
    Scene() {
        const unsigned char texels[2 * 2 * 4] = {255, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 255};
        glGenTextures(1, &picture);
        glBindTexture(GL_TEXTURE_2D, picture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glBindTexture(GL_TEXTURE_2D, 0);
        for (std::uint32_t& face : sky.faceTextures) {
            face = picture;
        }
        for (GLuint& frame : gun.explosion.textures) {
            frame = picture;
        }
        explosion = gun.explosion;
        pictured.texture = picture;
        pictured.textureMissing = false;
        hidden.visible = false;
        box.buildWallList();
        gun.setPosition(0, 0, -5);
        folder.addGunModel(PictureFolder::GunModel::facing);
    }

    GLuint picture = 0;
    SkyCube sky;
    BoothSet booths;
    BoothBox box{{-1, 0, -1, -1, 0, 1, 1, 0, 1, 1, 0, -1, -1, 2, -1, -1, 2, 1, 1, 2, 1, 1, 2, -1},
                 4,
                 {0.1f, 0.2f, 0.3f, 1},
                 {0.4f, 0.5f, 0.6f, 1},
                 {0.7f, 0.8f, 0.9f, 1},
                 30};
    Target pictured{1};
    Target missing{1};
    Target hidden{1};
    Crosshair crosshair;
    Explosion explosion;
    Shotgun gun;
    PictureFolder folder;
};

struct DrawCase {
    const char* name;
    std::function<void(Scene&)> draw;
    std::vector<std::string> leaves; // what the routine's header says it leaves set
};

const std::vector<std::string> frontMaterial = {"front material ambient", "front material diffuse",
                                                "front material specular",
                                                "front material shininess"};

const DrawCase cases[] = {
    {"SkyCube", [](Scene& s) { s.sky.draw(); }, {}},
    {"BoothSet", [](Scene& s) { s.booths.draw(); }, {}},
    {"ThreeBooths", [](Scene& s) { drawBooths(s.booths); }, {}},
    {"BoothBox", [](Scene& s) { s.box.draw(); }, frontMaterial},
    {"TargetWithPicture", [](Scene& s) { s.pictured.draw(); }, {}},
    {"TargetWithoutPicture", [](Scene& s) { s.missing.draw(); }, {}},
    {"HiddenTarget", [](Scene& s) { s.hidden.draw(); }, {}},
    {"Crosshair", [](Scene& s) { s.crosshair.draw(); }, {}},
    {"PlayingExplosion",
     [](Scene& s) {
         s.explosion.start();
         s.explosion.draw();
     },
     {}},
    {"BlackCounter",
     [](Scene&) { drawBlackCounter(1, 2, 3, [] { drawCounterText("%d", 5); }); },
     {}},
    {"FiringShotgun",
     [](Scene& s) {
         const WorkingDirectory inFolder(s.folder.path());
         s.gun.fire();
         s.gun.draw();
     },
     {}},
};

// A state unlike OpenGL's defaults in every part a drawing might change, with texturing,
// blending and colour-driven material switched on or off.
void setStartingState(GLuint boundTexture, bool switchedOn) {
    const float ambient[4] = {0.9f, 0.8f, 0.7f, 1};
    const float specular[4] = {0.3f, 0.6f, 0.9f, 1};
    glMatrixMode(GL_MODELVIEW);
    glTranslated(1, 2, -30);
    glRotated(30, 1, 0, 0);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_FOG);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 42);
    glBindTexture(GL_TEXTURE_2D, boundTexture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (switchedOn) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glColorMaterial(GL_FRONT, GL_EMISSION);
        glEnable(GL_COLOR_MATERIAL);
    }
    // After the colour material's switch, so that the emission already follows the colour.
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glNormal3f(0.25f, 0.5f, 0.75f);
    glTexCoord2f(0.5f, 0.25f);
}

void PrintTo(const DrawCase& drawCase, std::ostream* out) {
    *out << drawCase.name;
}

class DrawLeavesGlState : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawLeavesGlState, AsItFoundIt) {
    const DrawCase& drawCase = GetParam();
    const auto scene = std::make_unique<Scene>();
    GLuint otherTexture = 0;
    glGenTextures(1, &otherTexture);
    for (const bool switchedOn : {false, true}) {
        for (int draw = 1; draw <= 2; ++draw) {
            glPushAttrib(GL_ALL_ATTRIB_BITS);
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            setStartingState(otherTexture, switchedOn);
            const GlState before = readGlState();
            drawCase.draw(*scene);
            EXPECT_EQ(changedGlState(before, readGlState()), drawCase.leaves)
                << (switchedOn ? "texturing and blending on" : "texturing and blending off")
                << ", draw " << draw;
            glMatrixMode(GL_MODELVIEW);
            glPopMatrix();
            glPopAttrib();
        }
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(EveryObject, DrawLeavesGlState, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<DrawCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
