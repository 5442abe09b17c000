#include "shotgun.h"

#include "counter_text.h"
#include "gallery/glm.h"
#include "gun_model.h"

#include <GL/gl.h>

Shotgun::~Shotgun() {
    if (model != nullptr) {
        glmDestroyModel(model);
    }
}

bool Shotgun::fire() {
    if (!shown || cartridges <= 0) {
        return false;
    }
    --cartridges;
    explosion.start();
    return true;
}

void Shotgun::setPosition(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
    explosion.setPosition(newX, newY, newZ - 3);
}

void Shotgun::draw() {
    if (!shown) {
        return;
    }
    // Turned about its own vertical axis, then scaled, then moved to the position.
    glPushMatrix();
    glTranslated(x, y, z);
    glScalef(scale, scale, scale);
    glRotatef(heading, 0, 1, 0);
    drawModel("modely/brokovnice.obj", model);
    glPopMatrix();
    // The explosion is drawn in the caller's coordinates, not in the gun's transform.
    explosion.draw();
    // From a firing position the counter stands at the height and depth of the targets' ones.
    drawBlackCounter(x - 4.0, y + 3.5, z - 4.0, [this] { drawCartridges(); });
}

void Shotgun::drawCartridges() const {
    drawCounterText("Pocet naboju: %d", cartridges);
}
