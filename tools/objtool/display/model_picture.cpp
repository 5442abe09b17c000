#include "model_picture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFilled = 0.9; // of the picture, along the side that bounds the model
// Half the view, over the distance, for a model that is seen as a point or a line.
constexpr double kLeastHalfView = 1e-3;
constexpr GLfloat kBackground[4] = {0.16f, 0.18f, 0.22f, 1.0f};
// Without materials: OpenGL's own default material, without a highlight, so that a flat face
// has one shade.
constexpr GLfloat kPlainAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr GLfloat kPlainDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr GLfloat kNoSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};

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

    // The picture shows the window where the model is seen, widened by a margin, about its
    // middle; zooming narrows it. The depth range holds the fitted model's sphere, of radius 1,
    // whole at any turn.
    const double aspect = double(settings.width) / settings.height;
    const double middle[2] = {(double(picture.seenLow[0]) + picture.seenHigh[0]) / 2,
                              (double(picture.seenLow[1]) + picture.seenHigh[1]) / 2};
    const double seenHalf[2] = {(double(picture.seenHigh[0]) - picture.seenLow[0]) / 2,
                                (double(picture.seenHigh[1]) - picture.seenLow[1]) / 2};
    const double top =
        std::max({seenHalf[1], seenHalf[0] / aspect, kLeastHalfView}) / kFilled / view.zoom;
    const double nearest = kCameraDistance - 1.0;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum((middle[0] - top * aspect) * nearest, (middle[0] + top * aspect) * nearest,
              (middle[1] - top) * nearest, (middle[1] + top) * nearest, nearest,
              kCameraDistance + 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A head light: given before any transform, it shines along the line of sight.
    const GLfloat headLight[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, headLight);
    glTranslated(0.0, 0.0, -kCameraDistance);
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
