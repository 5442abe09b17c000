// The OpenGL state around drawing: a lit material set the way drawing sets each group's, and
// the attribute groups that a caller pushes to keep drawing's changes out of the rest of its
// scene. The game's own drawers use the same two; the header is not installed.
#pragma once

#include <GL/gl.h>

// Every attribute group of OpenGL 1.1. Later headers define GL_ALL_ATTRIB_BITS as 0xFFFFFFFF,
// which also saves the multisample group.
inline constexpr GLbitfield glmAllAttributeBits = 0xFFFFF;

// Sets the ambient, diffuse and specular colours (red, green, blue, alpha each) and the
// specular exponent of `face` (GL_FRONT, GL_BACK or GL_FRONT_AND_BACK), in that order.
inline void glmSetMaterial(GLenum face, const float* ambient, const float* diffuse,
                           const float* specular, float shininess) {
    glMaterialfv(face, GL_AMBIENT, ambient);
    glMaterialfv(face, GL_DIFFUSE, diffuse);
    glMaterialfv(face, GL_SPECULAR, specular);
    glMaterialf(face, GL_SHININESS, shininess);
}
