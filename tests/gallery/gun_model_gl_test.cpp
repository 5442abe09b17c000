// The gun's model display on the real GL: the model is read once, fitted and lit with its own
// material, and its drawing leaves the GL state as it found it.
#include "front_view.h"
#include "gallery/glm.h"
#include "gun_model.h"
#include "picture_folder.h"
#include "shotgun.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr const char* gunPath = "modely/brokovnice.obj";

class GunModelTest : public FrontViewTest {
protected:
    void SetUp() override {
        FrontViewTest::SetUp();
        inFolder = std::make_unique<WorkingDirectory>(folder.path());
    }
    void TearDown() override {
        inFolder.reset();
        FrontViewTest::TearDown();
    }

    PictureFolder folder;
    std::unique_ptr<WorkingDirectory> inFolder;
};

// One white light head-on and no ambient light: a surface facing +z shows its diffuse colour.
void lightFromTheFront() {
    const float none[4] = {0, 0, 0, 1};
    const float fromFront[4] = {0, 0, 1, 0};
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    glLightfv(GL_LIGHT0, GL_POSITION, fromFront);
}

TEST_F(GunModelTest, DrawsTheFittedModelInItsOwnMaterial) {
    ASSERT_TRUE(folder.addGunModel(PictureFolder::GunModel::facing));
    lightFromTheFront();
    clearTo(0, 0, 0);
    ObjModel* model = nullptr;
    drawModel(gunPath, model);
    ASSERT_NE(model, nullptr);
    const Rgb diffuse{230, 26, 26};
    EXPECT_TRUE(sameColour(pixelAt(-0.9f, -0.9f), diffuse, 2)) << pixelAt(-0.9f, -0.9f);
    EXPECT_TRUE(sameColour(pixelAt(0.9f, -0.95f), diffuse, 2)) << pixelAt(0.9f, -0.95f);
    for (const auto& [x, y] : {std::pair{0.9f, 0.9f}, std::pair{1.1f, -0.9f},
                               std::pair{-0.9f, -1.1f}, std::pair{-1.1f, 0.9f}}) {
        EXPECT_TRUE(sameColour(pixelAt(x, y), {0, 0, 0})) << x << ", " << y;
    }
    glmDestroyModel(model);
}

std::vector<float> stateSnapshot() {
    std::vector<float> state;
    const auto add = [&state](GLenum name, int count) {
        float values[16] = {};
        glGetFloatv(name, values);
        state.insert(state.end(), values, values + count);
    };
    add(GL_CURRENT_COLOR, 4);
    add(GL_CURRENT_NORMAL, 3);
    add(GL_CURRENT_TEXTURE_COORDS, 4);
    add(GL_SHADE_MODEL, 1);
    add(GL_BLEND_SRC, 1);
    add(GL_BLEND_DST, 1);
    add(GL_TEXTURE_BINDING_2D, 1);
    add(GL_LIGHT_MODEL_AMBIENT, 4);
    add(GL_LIGHT_MODEL_TWO_SIDE, 1);
    add(GL_POLYGON_MODE, 2);
    add(GL_FRONT_FACE, 1);
    add(GL_DEPTH_FUNC, 1);
    add(GL_COLOR_MATERIAL_FACE, 1);
    add(GL_COLOR_MATERIAL_PARAMETER, 1);
    add(GL_MODELVIEW_MATRIX, 16);
    for (const GLenum capability : {GL_LIGHTING, GL_LIGHT0, GL_TEXTURE_2D, GL_BLEND, GL_DEPTH_TEST,
                                    GL_NORMALIZE, GL_CULL_FACE, GL_COLOR_MATERIAL, GL_FOG}) {
        state.push_back(glIsEnabled(capability));
    }
    for (const GLenum face : {GL_FRONT, GL_BACK}) {
        for (const GLenum parameter :
             {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION, GL_SHININESS}) {
            float values[4] = {};
            glGetMaterialfv(face, parameter, values);
            state.insert(state.end(), values, values + 4);
        }
    }
    return state;
}

TEST_F(GunModelTest, LeavesEveryAttributeAsItFound) {
    ASSERT_TRUE(folder.addGunModel(PictureFolder::GunModel::facing));
    const float grey[4] = {0.3f, 0.4f, 0.5f, 1};
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_EMISSION);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, grey);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glNormal3f(0, 1, 1);
    ObjModel* model = nullptr;
    for (int draw = 0; draw < 2; ++draw) { // the draw that reads and one that does not
        const std::vector<float> before = stateSnapshot();
        drawModel(gunPath, model);
        EXPECT_EQ(stateSnapshot(), before) << "draw " << draw;
    }
    glmDestroyModel(model);
}

TEST_F(GunModelTest, TheGunReadsItsModelOnlyAtTheFirstDrawOfTheShownGun) {
    ASSERT_TRUE(folder.addGunModel(PictureFolder::GunModel::edgeOn));
    Shotgun gun;
    gun.hide();
    gun.draw(); // hidden: nothing read yet
    ASSERT_TRUE(folder.addGunModel(PictureFolder::GunModel::facing));
    gun.show();
    gun.setPosition(1, 0, 3);
    clearTo(0, 0, 0);
    gun.draw();
    const Rgb seenFirst = pixelAt(0.1f, -0.9f);
    EXPECT_FALSE(sameColour(seenFirst, {0, 0, 0})) << "the facing model is read";

    ASSERT_TRUE(folder.addGunModel(PictureFolder::GunModel::edgeOn));
    gun.setPosition(-2, 1, 3);
    gun.hide();
    gun.draw();
    gun.show();
    ASSERT_TRUE(gun.fire());
    for (int frame = 0; frame < 11; ++frame) {
        gun.draw();
    }
    gun.setPosition(1, 0, 3);
    clearTo(0, 0, 0);
    gun.draw();
    EXPECT_TRUE(sameColour(pixelAt(0.1f, -0.9f), seenFirst)) << "still the model first read";
}

} // namespace
