#include "target.h"

#include "counter_text.h"
#include "gl_state.h"
#include "texture_load.h"

#include <limits>

namespace {

// The plain material of a board whose picture is missing.
constexpr float fallbackAmbient[4] = {1.0f, 0.58f, 0.39f, 0.5f};
constexpr float fallbackDiffuse[4] = {1.0f, 0.58f, 0.39f, 1.0f};
constexpr float fallbackSpecular[4] = {0.3f, 0.0f, 0.3f, 1.0f};
constexpr float fallbackShininess = 5.0f;

// The picture's s coordinate grows toward -x.
void drawBoard(float x, float y, float z) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glNormal3f(0, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(1.5f, 0, 0);
    glTexCoord2f(1, 0);
    glVertex3f(-1.5f, 0, 0);
    glTexCoord2f(1, 1);
    glVertex3f(-1.5f, 3, 0);
    glTexCoord2f(0, 1);
    glVertex3f(1.5f, 3, 0);
    glEnd();
    glPopMatrix();
}

} // namespace

void Target::loadTexture(const char* path) {
    textureMissing = !::loadTexture(texture, path);
}

void Target::setPosition(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
}

void Target::testHit(float targetX, float targetY, float aimX, float aimY) {
    // The bounds are formed in double, so that an aim exactly on a bound counts; a NaN fails
    // the first comparison it meets.
    const double left = static_cast<double>(targetX) - 1.5;
    const double right = static_cast<double>(targetX) + 1.5;
    const double bottom = targetY;
    const double top = static_cast<double>(targetY) + 3;
    if (aimX >= left && aimX <= right && aimY >= bottom && aimY <= top &&
        hits < std::numeric_limits<std::int32_t>::max()) {
        ++hits;
    }
}

void Target::draw() const {
    if (!visible) {
        return;
    }
    // The fall-back material, the picture's binding and texturing end with the board.
    const SavedAttributes saved(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
    glEnable(GL_TEXTURE_2D);
    if (textureMissing) {
        applyMaterial(GL_FRONT, fallbackAmbient, fallbackDiffuse, fallbackSpecular,
                      fallbackShininess);
    }
    // A missing picture binds the target's own empty name, which draws untextured, rather
    // than leaving whichever picture was bound last on the board.
    glBindTexture(GL_TEXTURE_2D, texture);
    drawBoard(x, y, z);
    drawBlackCounter(labelX, 8, 4, [this] { drawHits(); });
}

void Target::drawHits() const {
    drawCounterText("Pocet zasahu: %d", hits);
}
