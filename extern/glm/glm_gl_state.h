// How drawing sets each group's lit material. The header is not installed.
#pragma once

#include <GL/gl.h>

// Sets the ambient, diffuse and specular colours (red, green, blue, alpha each) and the
// specular exponent of `face` (GL_FRONT, GL_BACK or GL_FRONT_AND_BACK), in that order.
inline void glmSetMaterial(GLenum face, const float* ambient, const float* diffuse,
                           const float* specular, float shininess) {
    glMaterialfv(face, GL_AMBIENT, ambient);
    glMaterialfv(face, GL_DIFFUSE, diffuse);
    glMaterialfv(face, GL_SPECULAR, specular);
    glMaterialf(face, GL_SHININESS, shininess);
}
