#include "objtool_convert.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// Fitting divides by the largest extent; a model without one is left as it is.
void fit(ObjModel* model, const std::string& input) {
    float extent[3] = {0.0f, 0.0f, 0.0f};
    if (model->vertexcount > 0) {
        glmMeasureExtent(model, extent);
    }
    if (!(std::max({extent[0], extent[1], extent[2]}) > 0.0f)) {
        std::fprintf(stderr, "objtool: note: %s has no extent to fit; --fit left it as it is\n",
                     input.c_str());
        return;
    }
    glmFitUnitCube(model);
}

// The material library goes beside the output under the name the model gives it, so that name
// must stay below the output's directory and must not be the output itself.
bool checkMaterialLibrary(const ObjModel* model, const std::string& output, std::string* error) {
    if (model->mtllib == nullptr) {
        return true;
    }
    const std::filesystem::path name(model->mtllib);
    const bool escapes = name.is_absolute() ||
                         std::any_of(name.begin(), name.end(), [](auto& p) { return p == ".."; });
    if (escapes) {
        *error = "the material library \"" + std::string(model->mtllib) +
                 "\" lies outside the output's directory; not writing materials there";
        return false;
    }
    char* directory = glmPathDirectory(output.c_str());
    const std::filesystem::path library = std::filesystem::path(directory) / name;
    std::free(directory);
    if (library.lexically_normal() == std::filesystem::path(output).lexically_normal()) {
        *error = "the material library \"" + std::string(model->mtllib) +
                 "\" would overwrite the output file";
        return false;
    }
    return true;
}

} // namespace

bool convertModel(ObjModel* model, const ConvertOptions& options, const std::string& input,
                  const std::string& output, std::string* error) {
    if (options.materials && !checkMaterialLibrary(model, output, error)) {
        return false;
    }
    if (options.weldEpsilon) {
        glmMergeVertices(model, *options.weldEpsilon);
    }
    if (options.fit) {
        fit(model, input);
    }
    if (options.flip) {
        glmFlipWinding(model);
    }
    if (options.facetNormals || options.smoothAngle) {
        glmBuildFacetNormals(model);
    }
    if (options.smoothAngle) {
        glmVertexNormals(model, *options.smoothAngle);
    }
    if (options.texcoords == TexcoordMapping::Planar) {
        glmPlanarTexCoords(model);
    } else if (options.texcoords == TexcoordMapping::Sphere) {
        if (model->normals == nullptr) {
            *error = "the model has no vertex normals to sphere-map; add --smooth-normals ANGLE";
            return false;
        }
        glmSphereTexCoords(model);
    }

    unsigned mode = 0;
    if (options.facetNormals) {
        mode |= ObjModeFlat;
    } else if (model->normals != nullptr) {
        mode |= ObjModeSmooth;
    }
    if (model->texcoordarray != nullptr) {
        mode |= ObjModeTexture;
    }
    if (options.materials) {
        mode |= ObjModeMaterial;
    }
    glmWriteOBJ(model, output.c_str(), mode);
    return true;
}
