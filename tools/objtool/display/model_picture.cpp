#include "model_picture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFieldOfView = 30.0; // degrees, vertical, at zoom 1
constexpr GLfloat kBackground[4] = {0.16f, 0.18f, 0.22f, 1.0f};
// Without materials: OpenGL's own default material, without a highlight, so that a flat face
// has one shade.
constexpr GLfloat kPlainAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr GLfloat kPlainDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr GLfloat kNoSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};

double radians(double degrees) {
    return degrees * 3.141592653589793 / 180.0;
}

bool drawsMaterials(const ObjModel* model, const PictureSettings& settings) {
    return settings.materials && model->materialtable != nullptr;
}

} // namespace

void setUpPictureState() {
    glClearColor(kBackground[0], kBackground[1], kBackground[2], kBackground[3]);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0); // white, from the viewer: see drawModelPicture
    // The fitting scale and the file's normals leave normals of any length.
    glEnable(GL_NORMALIZE);
    // Back faces are not drawn: a model wound the wrong way shows its inside.
    glEnable(GL_CULL_FACE);
}

GLuint makeModelList(ObjModel* model, const PictureSettings& settings) {
    // A model without triangles has no normals; it draws nothing either way.
    unsigned mode = 0;
    if (settings.shading == Shading::Flat && model->facetnorms != nullptr) {
        mode |= ObjModeFlat;
    } else if (settings.shading == Shading::Smooth && model->normals != nullptr) {
        mode |= ObjModeSmooth;
    }
    if (drawsMaterials(model, settings)) {
        mode |= ObjModeMaterial;
    }
    return glmCompileList(model, mode);
}

void drawModelPicture(const ModelPicture& picture, GLuint list, const PictureView& view) {
    const PictureSettings& settings = view.settings;
    glViewport(0, 0, settings.width, settings.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The camera stands where the fitted model's sphere just fills the narrower side at zoom 1.
    // Zooming narrows the field of view, so the model never reaches the near plane.
    const double aspect = double(settings.width) / settings.height;
    const double tanHalf = std::tan(radians(kFieldOfView / 2));
    const double distance = picture.radius / std::sin(std::atan(tanHalf * std::min(1.0, aspect)));
    const double nearest = distance - picture.radius;
    const double top = nearest * tanHalf / view.zoom;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-top * aspect, top * aspect, -top, top, nearest, distance + picture.radius);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A head light: given before any transform, it shines along the line of sight.
    const GLfloat headLight[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, headLight);
    glTranslated(0.0, 0.0, -distance);
    glMultMatrixf(view.turns);
    glRotatef(settings.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(settings.yaw, 0.0f, 1.0f, 0.0f);
    glScalef(picture.scale, picture.scale, picture.scale);
    glTranslatef(-picture.centre[0], -picture.centre[1], -picture.centre[2]);

    glShadeModel(settings.shading == Shading::Flat ? GL_FLAT : GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, settings.wireframe ? GL_LINE : GL_FILL);
    if (!drawsMaterials(picture.model, settings)) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kPlainAmbient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kPlainDiffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kNoSpecular);
    }
    glCallList(list);
}
