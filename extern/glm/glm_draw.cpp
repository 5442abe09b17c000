// Drawing a model in immediate mode, and recording that drawing into a display list.
//
// Groups are drawn in list order (the latest created first, "default" last), each as one
// GL_TRIANGLES batch with its material set before it. Per corner the order is normal,
// texture coordinate, vertex. The material, colour, normal and the GL_COLOR_MATERIAL switch
// are left as drawing set them; callers that care push and pop attributes around the call.
#include "gallery/glm.h"
#include "glm_assert.h"
#include "glm_mode.h"

#include <GL/gl.h>

namespace {

const ObjModeWarnings kDrawWarnings = {
    "glmDraw() warning: flat render mode requested with no facet normals defined.",
    "glmDraw() warning: smooth render mode requested with no normals defined.",
    "glmDraw() warning: texture render mode requested with no texture coordinates defined.",
    "glmDraw() warning: flat render mode requested and smooth render mode requested (using "
    "smooth).",
    "glmDraw() warning: color render mode requested with no materials defined.",
    "glmDraw() warning: material render mode requested with no materials defined.",
    "glmDraw() warning: color and material render mode requested using only material mode.",
};

void applyMaterial(const ObjMaterial& material, unsigned mode) {
    if (mode & ObjModeMaterial) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.ambientcolor);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.diffusecolor);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.specularcolor);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.specularexponent);
    }
    if (mode & ObjModeColor) {
        glColor3fv(material.diffusecolor);
    }
}

void drawTriangles(const ObjModel* model, const ObjGroup* group, unsigned mode) {
    glBegin(GL_TRIANGLES);
    for (std::uint32_t i = 0; i < group->facecount; i++) {
        const ObjTriangle& triangle = model->faces[group->faceidx[i]];
        if (mode & ObjModeFlat) {
            glNormal3fv(&model->facetnorms[3 * std::size_t(triangle.facetnormidx)]);
        }
        for (int corner = 0; corner < 3; corner++) {
            if (mode & ObjModeSmooth) {
                glNormal3fv(&model->normals[3 * std::size_t(triangle.normalidx[corner])]);
            }
            if (mode & ObjModeTexture) {
                glTexCoord2fv(&model->texcoordarray[2 * std::size_t(triangle.texcoordidx[corner])]);
            }
            glVertex3fv(&model->vertices[3 * std::size_t(triangle.vertexidx[corner])]);
        }
    }
    glEnd();
}

} // namespace

void glmDraw(ObjModel* model, unsigned mode) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->vertices);
    mode = glmCorrectMode(model, mode, kDrawWarnings);
    if (mode & ObjModeColor) {
        glEnable(GL_COLOR_MATERIAL);
    } else if (mode & ObjModeMaterial) {
        glDisable(GL_COLOR_MATERIAL);
    }
    for (const ObjGroup* group = model->grouplist; group != nullptr; group = group->next) {
        if (mode & (ObjModeMaterial | ObjModeColor)) {
            applyMaterial(model->materialtable[group->materialidx], mode);
        }
        drawTriangles(model, group, mode);
    }
}

unsigned glmCompileList(ObjModel* model, unsigned mode) {
    GLM_REQUIRE(model);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glmDraw(model, mode);
    glEndList();
    return list;
}
