// The explosion's animation on the real GL: which picture each drawn frame binds and shows,
// when it ends, and how a shot or a hidden gun acts on it. Picture 5 is missing.
#include "explosion.h"
#include "front_view.h"
#include "picture_folder.h"
#include "shotgun.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

namespace {

PictureColour pictureColour(int number) {
    return {static_cast<std::uint8_t>(number * 23), static_cast<std::uint8_t>(250 - number * 20),
            static_cast<std::uint8_t>(40 + number * 5)};
}

constexpr int missingPicture = 5;
const Rgb black{0, 0, 0};
const Rgb white{255, 255, 255};

class ExplosionTest : public FrontViewTest {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<PictureFolder>();
        ASSERT_TRUE(folder->addGunModel(PictureFolder::GunModel::edgeOn));
        for (int n = 1; n <= explosionFrameCount; ++n) {
            if (n != missingPicture) {
                ASSERT_TRUE(folder->addPicture("textury/Explode" + std::to_string(n) + ".bmp",
                                               pictureColour(n)));
            }
        }
    }
    static void TearDownTestSuite() { folder.reset(); }

    void SetUp() override {
        FrontViewTest::SetUp();
        const WorkingDirectory inFolder(folder->path());
        loadExplosionTextures(names);
    }

    // Draws once onto black and tells what the square's middle shows.
    Rgb drawAndLook(Explosion& explosion) {
        clearTo(0, 0, 0);
        explosion.draw();
        return pixelAt(explosion.x, explosion.y);
    }

    // The colour a frame shows: its picture, or the plain (white) square where it is missing.
    static Rgb expectedColour(int number) {
        if (number == missingPicture) {
            return white;
        }
        const PictureColour c = pictureColour(number);
        return {c.r, c.g, c.b};
    }

    static std::unique_ptr<PictureFolder> folder;
    GLuint names[explosionFrameCount] = {};
};

std::unique_ptr<PictureFolder> ExplosionTest::folder;

TEST_F(ExplosionTest, TenDrawsShowPicturesOneToTenAndTheEleventhEndsIt) {
    Explosion explosion;
    std::copy(std::begin(names), std::end(names), explosion.textures);
    explosion.setPosition(1, -1, 0);
    explosion.start();
    for (int number = 1; number <= explosionFrameCount; ++number) {
        const Rgb shown = drawAndLook(explosion);
        EXPECT_TRUE(sameColour(shown, expectedColour(number)))
            << "picture " << number << " shows " << shown;
    }
    EXPECT_TRUE(explosion.playing);
    EXPECT_TRUE(sameColour(drawAndLook(explosion), black));
    EXPECT_FALSE(explosion.playing);
    EXPECT_EQ(explosion.frame, 0);
}

TEST_F(ExplosionTest, TheSquareIsOneUnitAcrossAroundItsPosition) {
    Explosion explosion;
    std::copy(std::begin(names), std::end(names), explosion.textures);
    explosion.setPosition(-1, 0.5f, 0);
    explosion.start();
    clearTo(0, 0, 0);
    explosion.draw();
    const Rgb picture = expectedColour(1);
    for (const float d : {-0.45f, 0.45f}) {
        EXPECT_TRUE(sameColour(pixelAt(-1 + d, 0.5f + d), picture)) << d;
        EXPECT_TRUE(sameColour(pixelAt(-1 + d * 1.25f, 0.5f), black)) << d;
        EXPECT_TRUE(sameColour(pixelAt(-1, 0.5f + d * 1.25f), black)) << d;
    }
}

TEST_F(ExplosionTest, AddsItsPictureOntoTheFrame) {
    Explosion explosion;
    std::copy(std::begin(names), std::end(names), explosion.textures);
    explosion.start();
    clearTo(0.2f, 0.2f, 0.2f);
    explosion.draw();
    const PictureColour c = pictureColour(1);
    const Rgb sum{static_cast<unsigned char>(std::min(255, c.r + 51)),
                  static_cast<unsigned char>(std::min(255, c.g + 51)),
                  static_cast<unsigned char>(std::min(255, c.b + 51))};
    EXPECT_TRUE(sameColour(pixelAt(0, 0), sum)) << pixelAt(0, 0);
}

TEST_F(ExplosionTest, ASecondStartGoesOnFromThePictureReached) {
    Explosion explosion;
    std::copy(std::begin(names), std::end(names), explosion.textures);
    explosion.start();
    for (int i = 0; i < 3; ++i) {
        drawAndLook(explosion);
    }
    explosion.start();
    EXPECT_TRUE(sameColour(drawAndLook(explosion), expectedColour(4)));
}

TEST_F(ExplosionTest, AStartInTheEndingStateShowsNothing) {
    Explosion explosion;
    std::copy(std::begin(names), std::end(names), explosion.textures);
    explosion.start();
    for (int i = 0; i < explosionFrameCount; ++i) {
        drawAndLook(explosion);
    }
    explosion.start();
    EXPECT_TRUE(sameColour(drawAndLook(explosion), black));
    EXPECT_TRUE(sameColour(drawAndLook(explosion), black));
    EXPECT_FALSE(explosion.playing);
}

TEST_F(ExplosionTest, AFrameOutsideThePicturesEndsItWithoutDrawing) {
    for (const int frame : {-1, INT_MIN, explosionFrameCount, INT_MAX}) {
        Explosion explosion;
        std::copy(std::begin(names), std::end(names), explosion.textures);
        explosion.start();
        explosion.frame = frame;
        EXPECT_TRUE(sameColour(drawAndLook(explosion), black)) << frame;
        EXPECT_FALSE(explosion.playing) << frame;
        EXPECT_EQ(explosion.frame, 0) << frame;
    }
}

TEST_F(ExplosionTest, AHiddenGunFreezesItsExplosion) {
    const WorkingDirectory inFolder(folder->path());
    Shotgun gun;
    std::copy(std::begin(names), std::end(names), gun.explosion.textures);
    gun.setPosition(0, 0, 3);
    ASSERT_TRUE(gun.fire());
    for (int i = 0; i < 2; ++i) {
        gun.draw();
    }
    gun.hide();
    for (int i = 0; i < 4; ++i) {
        gun.draw();
    }
    EXPECT_EQ(gun.explosion.frame, 2);
    gun.show();
    clearTo(0, 0, 0);
    gun.draw();
    EXPECT_TRUE(sameColour(pixelAt(0, 0), expectedColour(3))) << pixelAt(0, 0);
}

TEST(ExplosionLoading, WithNoPicturesEveryNameIsStillGenerated) {
    ensureGlWindow();
    const PictureFolder empty;
    const WorkingDirectory inFolder(empty.path());
    GLuint names[explosionFrameCount] = {};
    loadExplosionTextures(names);
    for (const GLuint name : names) {
        EXPECT_NE(name, 0u);
    }
}

} // namespace
