#include "explosion.h"

#include "gl_state.h"
#include "texture_load.h"

void Explosion::setPosition(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
}

void Explosion::start() {
    playing = true;
}

void Explosion::draw() {
    // A frame outside the pictures (also one written from outside) ends the animation rather
    // than indexing past the names.
    if (frame < 0 || frame >= explosionFrameCount) {
        frame = 0;
        playing = false;
        return;
    }
    if (!playing) {
        return;
    }
    const SavedAttributes saved(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT |
                                GL_CURRENT_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE); // black parts of a picture leave the scene as it is
    glBindTexture(GL_TEXTURE_2D, textures[frame]);
    glPushMatrix();
    glTranslated(x, y, z);
    glNormal3f(0, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-0.5f, -0.5f, 0);
    glTexCoord2f(1, 0);
    glVertex3f(0.5f, -0.5f, 0);
    glTexCoord2f(1, 1);
    glVertex3f(0.5f, 0.5f, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-0.5f, 0.5f, 0);
    glEnd();
    glPopMatrix();
    ++frame;
}

void loadExplosionTextures(GLuint (&names)[explosionFrameCount]) {
    loadTextureSeries(names, explosionFrameCount, "textury/Explode%d.bmp", 1);
}
