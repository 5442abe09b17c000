#include "objtool_convert.h"

#include "objtool_bounds.h"
#include "objtool_output.h"
#include "objtool_read.h"

#include <algorithm>
#include <cstdio>

namespace {

// The finite vertices' box centred and scaled into the cube from -1 to 1; a vertex with a
// coordinate that is not finite would make every other one "nan", so it stays as it is.
void fit(ObjModel* model, const std::string& input) {
    const FiniteBounds bounds = finiteBounds(model);
    double size[3] = {0.0, 0.0, 0.0};
    for (int c = 0; c < 3 && bounds.any; c++) {
        size[c] = double(bounds.high[c]) - bounds.low[c];
    }
    const double largest = std::max({size[0], size[1], size[2]});
    if (!(largest > 0.0)) {
        std::fprintf(stderr, "objtool: note: %s has no extent to fit; --fit left it as it is\n",
                     shownName(input).c_str());
        return;
    }
    forEachFiniteVertex(model, [&bounds, largest](float* v) {
        for (int c = 0; c < 3; c++) {
            const double centre = (double(bounds.low[c]) + bounds.high[c]) / 2;
            v[c] = static_cast<float>((v[c] - centre) * 2.0 / largest);
        }
    });
    if (bounds.notFinite > 0) {
        std::fprintf(stderr,
                     "objtool: note: --fit left %u vertices of %s that are not finite "
                     "as they are\n",
                     bounds.notFinite, shownName(input).c_str());
    }
}

// What the output does not carry, once per kind of statement.
void noteDropped(const ObjReadReport& report, bool materialsWritten) {
    for (const ObjSkippedStatements& kind : droppedStatements(report, materialsWritten)) {
        std::fprintf(stderr, "objtool: note: dropped %s\n", describeStatements(kind).c_str());
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

bool convertModel(ObjModel* model, const ObjReadReport& report, const ConvertOptions& options,
                  const std::string& input, const std::string& output, std::string* error) {
    const bool materials = options.writeMaterials && model->materialtable != nullptr;
    const std::optional<OutputPlan> plan =
        planOutput(output, options.library, materials, filesRead(input, report), error);
    if (!plan || !applyConvertOptions(model, options, input, error)) {
        return false;
    }

    unsigned mode = 0;
    if (options.facetNormals) {
        mode |= ObjModeFlat;
    } else if (options.writeNormals && model->normals != nullptr) {
        mode |= ObjModeSmooth;
    }
    if (options.writeTexcoords && model->texcoordarray != nullptr) {
        mode |= ObjModeTexture;
    }
    if (plan->library) {
        mode |= ObjModeMaterial;
    }
    if (!writeOutput(model, *plan, mode, error)) {
        return false;
    }
    if (!plan->leftOut.empty()) {
        std::fprintf(stderr, "objtool: note: %s\n", plan->leftOut.c_str());
    }
    noteDropped(report, plan->library.has_value());
    return true;
}
