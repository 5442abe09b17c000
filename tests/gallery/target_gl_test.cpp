// A target's board on the real GL: its picture, or its plain fall-back material where the
// picture is missing, whatever picture was bound before it.
#include "front_view.h"
#include "picture_folder.h"
#include "target.h"

#include <memory>

namespace {

const Rgb blue{0, 0, 255};

class TargetDrawTest : public FrontViewTest {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<PictureFolder>();
        ASSERT_TRUE(folder->addPicture("textury/sysel.bmp", {0, 0, 255}));
    }
    static void TearDownTestSuite() { folder.reset(); }

    // One white directional light straight along the board's normal's z, nothing else, so a
    // lit surface shows its diffuse colour.
    static void lightFromTheFront() {
        const float none[4] = {0, 0, 0, 1};
        const float full[4] = {1, 1, 1, 1};
        const float fromFront[4] = {0, 0, 1, 0};
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, full);
        glLightfv(GL_LIGHT0, GL_SPECULAR, none);
        glLightfv(GL_LIGHT0, GL_POSITION, fromFront);
    }

    static std::unique_ptr<PictureFolder> folder;
};

std::unique_ptr<PictureFolder> TargetDrawTest::folder;

TEST_F(TargetDrawTest, ABoardShowsItsPicture) {
    Target gopher(-39);
    {
        const WorkingDirectory inFolder(folder->path());
        gopher.loadTexture("textury/sysel.bmp");
    }
    EXPECT_FALSE(gopher.textureMissing);
    gopher.setPosition(0, -1.5f, 0);
    clearTo(0, 0, 0);
    gopher.draw();
    EXPECT_TRUE(sameColour(pixelAt(0, 0), blue)) << pixelAt(0, 0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(TargetDrawTest, AMissingPictureShowsTheFallbackColourNotTheLastPicture) {
    Target gopher(-39);
    Target failed(1);
    Target neverLoaded(41);
    {
        const WorkingDirectory inFolder(folder->path());
        gopher.loadTexture("textury/sysel.bmp");
        failed.loadTexture("textury/terc.bmp");
    }
    EXPECT_TRUE(failed.textureMissing);
    lightFromTheFront();
    // The fall-back diffuse colour (1, 0.58, 0.39), lit head-on.
    const Rgb fallback{255, 148, 99};
    for (Target* target : {&failed, &neverLoaded}) {
        clearTo(0, 0, 0);
        gopher.setPosition(-2.5f, -1.5f, 0);
        gopher.draw();
        target->setPosition(2, -1.5f, 0);
        target->draw();
        EXPECT_TRUE(sameColour(pixelAt(2, 0), fallback, 2)) << pixelAt(2, 0);
    }
}

TEST_F(TargetDrawTest, TheBoardIsThreeByThreeStandingOnItsPosition) {
    Target board(0);
    board.setPosition(0.5f, -2, 0);
    clearTo(0, 0, 0);
    board.draw();
    const Rgb background{0, 0, 0};
    struct Probe {
        float x, y;
        bool inside;
    };
    for (const Probe p :
         {Probe{-0.95f, -1.95f, true}, Probe{1.95f, 0.95f, true}, Probe{-1.05f, -1, false},
          Probe{2.05f, -1, false}, Probe{0.5f, -2.05f, false}, Probe{0.5f, 1.05f, false}}) {
        EXPECT_EQ(sameColour(pixelAt(p.x, p.y), background), !p.inside) << p.x << ", " << p.y;
    }
}

} // namespace
