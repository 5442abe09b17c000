#include "gl_state.h"

void applyMaterial(GLenum face, const float* ambient, const float* diffuse, const float* specular,
                   float shininess) {
    glMaterialfv(face, GL_AMBIENT, ambient);
    glMaterialfv(face, GL_DIFFUSE, diffuse);
    glMaterialfv(face, GL_SPECULAR, specular);
    glMaterialf(face, GL_SHININESS, shininess);
}

SavedFrontMaterial::SavedFrontMaterial() {
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
}

SavedFrontMaterial::~SavedFrontMaterial() {
    applyMaterial(GL_FRONT, ambient, diffuse, specular, shininess);
}
