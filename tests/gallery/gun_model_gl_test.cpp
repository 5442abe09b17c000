// The gun's model display on the real GL: the model is read once, fitted and lit with its own
// material. The state it leaves is checked with every other drawing's (draw_state_gl_test.cpp).
#include "front_view.h"
#include "gallery/glm.h"
#include "gun_model.h"
#include "picture_folder.h"
#include "shotgun.h"

#include <memory>
#include <utility>

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
