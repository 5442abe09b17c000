// The mode correction that drawing and writing share: bits whose data the model lacks are
// cleared, then conflicting bits are resolved. Each caller brings its own seven warnings.
#pragma once

#include "gallery/glm.h"

#include <cstdio>

// The warnings, one per step, in the order the steps run.
struct ObjModeWarnings {
    const char* flatWithoutFacetNormals;
    const char* smoothWithoutNormals;
    const char* textureWithoutTexcoords;
    const char* flatAndSmooth;
    const char* colorWithoutMaterials;
    const char* materialWithoutMaterials;
    const char* colorAndMaterial;
};

// Returns mode with the bits cleared that cannot or need not be honoured; every step that
// fires puts its warning and a line break on standard output. Each step sees the mode as
// corrected by the steps before it.
inline unsigned glmCorrectMode(const ObjModel* model, unsigned mode,
                               const ObjModeWarnings& warnings) {
    auto apply = [&mode](bool fires, const char* warning, unsigned cleared) {
        if (fires) {
            std::printf("%s\n", warning);
            mode &= ~cleared;
        }
    };
    apply((mode & ObjModeFlat) && model->facetnorms == nullptr, warnings.flatWithoutFacetNormals,
          ObjModeFlat);
    apply((mode & ObjModeSmooth) && model->normals == nullptr, warnings.smoothWithoutNormals,
          ObjModeSmooth);
    apply((mode & ObjModeTexture) && model->texcoordarray == nullptr,
          warnings.textureWithoutTexcoords, ObjModeTexture);
    apply((mode & ObjModeFlat) && (mode & ObjModeSmooth), warnings.flatAndSmooth, ObjModeFlat);
    apply((mode & ObjModeColor) && model->materialtable == nullptr, warnings.colorWithoutMaterials,
          ObjModeColor);
    apply((mode & ObjModeMaterial) && model->materialtable == nullptr,
          warnings.materialWithoutMaterials, ObjModeMaterial);
    apply((mode & ObjModeColor) && (mode & ObjModeMaterial), warnings.colorAndMaterial,
          ObjModeColor);
    return mode;
}
