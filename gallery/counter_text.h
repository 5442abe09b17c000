// The counters that stand in the scene as stroke text: the targets' hits and the cartridges.
#pragma once

#include "gl_state.h"

#include <GL/gl.h>
#include <cstdint>

// Prints value into format (one integer conversion) and writes the text in the GLUT roman
// stroke font at the current origin, which moves along +x by each glyph's advance. At most
// 127 characters are written; a longer text is cut. Sets no colour, width or blending.
void drawCounterText(const char* format, std::int32_t value);

// Writes a counter at (x, y, z) in scene units, 0.002 scene units per font unit, by calling
// writeText at that origin. The blend factors are zero (the constant blend colour keeps its
// initial black), so the strokes come out black whatever the colour and lighting. Leaves the
// GL state as it found it.
template <typename WriteText>
void drawBlackCounter(double x, double y, double z, WriteText writeText) {
    const SavedAttributes saved(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glPushMatrix();
    // The colour is set with colour material off, so that it reaches no material, which the
    // saved attributes could not give back.
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_CONSTANT_COLOR);
    glColor4f(1, 1, 1, 1);
    glTranslated(x, y, z);
    glScalef(0.002f, 0.002f, 0.002f);
    writeText();
    glPopMatrix();
}
