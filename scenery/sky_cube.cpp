#include "sky_cube.h"

#include "gl_state.h"
#include "texture_load.h"

#include <GL/gl.h>
#include <type_traits>

static_assert(std::is_same_v<std::uint32_t, GLuint>, "texture names are filled in place");

namespace {

struct Face {
    int index;
    float normal[3];
    // Corners in the order of the texture coordinates (0, 0), (1, 0), (1, 1), (0, 1).
    double corners[4][3];
};

// Seen from inside, every wall's picture stands upright and unmirrored. The walls' normals are
// not of unit length: they lean up and away from the centre.
constexpr Face faces[6] = {
    {2, {0, 1, 1}, {{120, 0, 120}, {-120, 0, 120}, {-120, 100, 120}, {120, 100, 120}}},
    {0, {0, 1, -1}, {{-120, 0, -120}, {120, 0, -120}, {120, 100, -120}, {-120, 100, -120}}},
    {3, {-1, 1, 0}, {{-120, 0, 120}, {-120, 0, -120}, {-120, 100, -120}, {-120, 100, 120}}},
    {4, {1, 1, 0}, {{120, 0, -120}, {120, 0, 120}, {120, 100, 120}, {120, 100, -120}}},
    {5, {0, 1, 0}, {{120, 100, 120}, {-120, 100, 120}, {-120, 100, -120}, {120, 100, -120}}},
    {1, {0, 1, 0}, {{120, 0, -120}, {-120, 0, -120}, {-120, 0, 120}, {120, 0, 120}}},
};

constexpr float texCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

} // namespace

void SkyCube::loadTextures() {
    loadTextureSeries(faceTextures, 6, "textury/skybox%d.bmp", 0);
}

void SkyCube::draw() const {
    const SavedAttributes saved(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glEnable(GL_TEXTURE_2D);
    for (const Face& face : faces) {
        glBindTexture(GL_TEXTURE_2D, faceTextures[face.index]);
        glBegin(GL_QUADS);
        glNormal3fv(face.normal);
        for (int k = 0; k < 4; ++k) {
            glTexCoord2fv(texCoords[k]);
            glVertex3dv(face.corners[k]);
        }
        glEnd();
    }
}
