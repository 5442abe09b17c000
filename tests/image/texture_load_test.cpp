// The load pattern on the real OpenGL: picture k always lands on names[k], a picture that
// does not load leaves its name without an image, and bad formats load nothing.
#include "image_test_support.h"
#include "texture_load.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

// A one-colour 2 x 2 picture whose colour is palette entry `index`.
Bytes solidBmp(int index) {
    Picture picture = solidPicture(2, 2);
    for (auto& i : picture.indices) {
        i = static_cast<unsigned char>(index);
    }
    return bmpFile(picture);
}

// The colour of the texture's first texel, or nothing when it has no image.
std::vector<unsigned char> firstTexel(GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    if (width == 0) {
        return {};
    }
    std::vector<unsigned char> texels(std::size_t(width) * 2 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return {texels[0], texels[1], texels[2]};
}

std::vector<unsigned char> colour(int index) {
    const Rgba c = paletteColour(index);
    return {c[0], c[1], c[2]};
}

TEST(LoadTextureSeries, MissingPictureLeavesOnlyItsNameEmpty) {
    TempDir dir;
    for (int k : {0, 1, 3}) {
        writeBytes(dir.path("pic" + std::to_string(k) + ".bmp"), solidBmp(40 * k + 1));
    }
    GLuint names[4] = {};
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_DONT_CARE);
    loadTextureSeries(names, 4, dir.path("pic%d.bmp").c_str(), 0);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), names[3]); // the last picture that loaded
    GLint hint = 0;
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &hint);
    EXPECT_EQ(hint, GL_NICEST);
    EXPECT_EQ(std::set<GLuint>(names, names + 4).size(), 4u);
    EXPECT_EQ(std::set<GLuint>(names, names + 4).count(0), 0u);
    EXPECT_EQ(firstTexel(names[0]), colour(1));
    EXPECT_EQ(firstTexel(names[1]), colour(41));
    EXPECT_EQ(firstTexel(names[2]), std::vector<unsigned char>{});
    EXPECT_EQ(firstTexel(names[3]), colour(121));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(LoadTextureSeries, NumbersStartAtFirstNumber) {
    TempDir dir;
    writeBytes(dir.path("Explode1.bmp"), solidBmp(7));
    writeBytes(dir.path("Explode2.bmp"), solidBmp(8));
    GLuint names[2] = {};
    loadTextureSeries(names, 2, dir.path("Explode%d.bmp").c_str(), 1);
    EXPECT_EQ(firstTexel(names[0]), colour(7));
    EXPECT_EQ(firstTexel(names[1]), colour(8));
}

TEST(LoadTextureSeries, EveryPictureMissingStillGeneratesEveryName) {
    TempDir dir;
    GLuint names[6] = {};
    loadTextureSeries(names, 6, dir.path("skybox%d.bmp").c_str(), 0);
    EXPECT_EQ(std::set<GLuint>(names, names + 6).size(), 6u);
    for (GLuint name : names) {
        EXPECT_NE(name, 0u);
        EXPECT_EQ(firstTexel(name), std::vector<unsigned char>{});
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// "%%" prints a percent sign and flags and widths are allowed; anything but one integer
// conversion would hand snprintf an argument it does not expect, so nothing is loaded.
TEST(LoadTextureSeries, FormatMustPrintExactlyOneInteger) {
    TempDir dir;
    writeBytes(dir.path("p%0.bmp"), solidBmp(3));
    writeBytes(dir.path("q00.bmp"), solidBmp(4));
    writeBytes(dir.path("r.bmp"), solidBmp(5));
    struct FormatCase {
        std::string format;
        bool loads;
    };
    const FormatCase formats[] = {
        {dir.path("p%%%d.bmp"), true}, {dir.path("q%02d.bmp"), true},
        {dir.path("r.bmp"), false},    {dir.path("q%d%d.bmp"), false},
        {dir.path("q%s.bmp"), false},  {dir.path("q%n.bmp"), false},
        {dir.path("q%ld.bmp"), false}, {dir.path("q%.1f.bmp"), false},
        {dir.path("q%"), false},
    };
    for (const auto& format : formats) {
        SCOPED_TRACE(format.format);
        GLuint name = 0;
        loadTextureSeries(&name, 1, format.format.c_str(), 0);
        EXPECT_NE(name, 0u);
        EXPECT_EQ(firstTexel(name).empty(), !format.loads);
    }
    GLuint name = 0;
    loadTextureSeries(&name, 1, nullptr, 0);
    EXPECT_NE(name, 0u);
}

// A path longer than the 128-byte buffer is not read cut short, even where a file of the
// cut name exists.
TEST(LoadTextureSeries, PathTooLongForTheBufferIsNotLoaded) {
    TempDir dir;
    std::string prefix = dir.path("");
    const std::string cut = prefix + std::string(127 - prefix.size(), 'a');
    writeBytes(cut, solidBmp(6));
    const std::string format = cut + "%d.bmp";
    writeBytes(cut + "0.bmp", solidBmp(6));
    GLuint name = 0;
    loadTextureSeries(&name, 1, format.c_str(), 0);
    EXPECT_EQ(firstTexel(name), std::vector<unsigned char>{});
}

TEST(LoadTextureSeries, NumbersPastTheLargestIntAreNotLoaded) {
    TempDir dir;
    writeBytes(dir.path("n" + std::to_string(INT_MAX) + ".bmp"), solidBmp(2));
    GLuint names[2] = {};
    loadTextureSeries(names, 2, dir.path("n%d.bmp").c_str(), INT_MAX);
    EXPECT_EQ(firstTexel(names[0]), colour(2));
    EXPECT_EQ(firstTexel(names[1]), std::vector<unsigned char>{});
}

TEST(LoadTexture, ReportsWhetherThePictureLoaded) {
    TempDir dir;
    writeBytes(dir.path("kralik.bmp"), solidBmp(9));
    GLuint loaded = 0;
    GLuint missing = 0;
    EXPECT_TRUE(loadTexture(loaded, dir.path("kralik.bmp").c_str()));
    EXPECT_FALSE(loadTexture(missing, dir.path("sysel.bmp").c_str()));
    EXPECT_NE(loaded, 0u);
    EXPECT_NE(missing, 0u);
    EXPECT_NE(loaded, missing);
    EXPECT_EQ(firstTexel(loaded), colour(9));
    EXPECT_EQ(firstTexel(missing), std::vector<unsigned char>{});
}

TEST(LoadTexture, AFailedLoadWarnsWithTheFileAndTheReason) {
    TempDir dir;
    writeBytes(dir.path("terc.bmp"), solidBmp(9));
    writeBytes(dir.path("short.bmp"), {'B', 'M', 0x40});
    ASSERT_EQ(mkdir(dir.path("folder.bmp").c_str(), 0700), 0);
    const std::pair<const char*, const char*> cases[] = {
        {"terc.bmp", nullptr},
        {"sysel.bmp", "No such file or directory"},
        {"folder.bmp", "Is a directory"},
        {"short.bmp", "not an uncompressed 8-bit or 24-bit BMP picture"},
    };
    for (const auto& [file, reason] : cases) {
        GLuint name = 0;
        testing::internal::CaptureStderr();
        loadTexture(name, dir.path(file).c_str());
        const std::string warning = testing::internal::GetCapturedStderr();
        EXPECT_EQ(warning, reason == nullptr
                               ? ""
                               : "gallery: cannot load the picture \"" + dir.path(file) +
                                     "\": " + reason + "; drawn without it\n");
    }
}

} // namespace
