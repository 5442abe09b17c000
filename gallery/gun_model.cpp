#include "gun_model.h"

#include "gallery/glm.h"
#include "gl_state.h"

#include <GL/gl.h>

namespace {

// Facets meeting at up to 90 degrees share a smoothed normal; sharper edges stay sharp.
constexpr float smoothingAngle = 90;

ObjModel* prepareModel(const char* path) {
    ObjModel* model = glmReadOBJ(path);
    glmFitUnitCube(model);
    glmBuildFacetNormals(model);
    glmVertexNormals(model, smoothingAngle);
    return model;
}

} // namespace

void drawModel(const char* path, ObjModel*& model) {
    // The model's materials and the library's switches are undone here, every frame.
    const SavedAttributes saved(allAttributeBits);
    if (model == nullptr) {
        model = prepareModel(path);
    }
    glmDraw(model, ObjModeSmooth | ObjModeMaterial);
}
