#include "objtool_convert.h"

#include "objtool_output.h"
#include "objtool_sources.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

// What the output does not carry, once per kind of statement.
void noteDropped(const ModelSources& sources, bool materialsWritten, bool materialsLeftOut) {
    for (const StatementKind& kind : droppedStatements(sources, materialsWritten)) {
        std::fprintf(stderr, "objtool: note: dropped %s\n", describeStatements(kind).c_str());
    }
    if (materialsLeftOut) {
        std::fprintf(stderr, "objtool: note: --materials keeps the materials\n");
    }
}

} // namespace

bool applyConvertOptions(ObjModel* model, const ConvertOptions& options, const std::string& input,
                         std::string* error) {
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
    return true;
}

bool convertModel(ObjModel* model, const ConvertOptions& options, const std::string& input,
                  const std::string& output, std::string* error) {
    const ModelSources sources = scanSources(input);
    const bool materials = options.materials && model->materialtable != nullptr;
    const std::optional<OutputPlan> plan = planOutput(output, materials, sources.files, error);
    if (!plan || !applyConvertOptions(model, options, input, error)) {
        return false;
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
    if (!writeOutput(model, *plan, mode, error)) {
        return false;
    }
    noteDropped(sources, materials, !options.materials && model->materialtable != nullptr);
    return true;
}
