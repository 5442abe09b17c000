#include "objtool_show.h"

#include "objtool_bounds.h"
#include "objtool_convert.h"
#include "objtool_module.h"
#include "objtool_output.h"
#include "objtool_sources.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

// The angle the gallery smooths its gun with.
constexpr float kDefaultSmoothAngle = 90.0f;

// The frame that fits the finite vertices' box into the cube from -1 to 1, as glmFitUnitCube
// fits a model that spans the origin; the model itself is not moved.
void frame(ModelPicture* picture) {
    const FiniteBounds bounds = finiteBounds(picture->model);
    double size[3] = {0.0, 0.0, 0.0};
    for (int c = 0; c < 3 && bounds.any; c++) {
        picture->centre[c] = static_cast<float>((double(bounds.low[c]) + bounds.high[c]) / 2);
        size[c] = double(bounds.high[c]) - bounds.low[c];
    }
    const double largest = std::max({size[0], size[1], size[2]});
    picture->scale = largest > 0.0 ? static_cast<float>(2.0 / largest) : 1.0f;
    const double diagonal = std::sqrt(size[0] * size[0] + size[1] * size[1] + size[2] * size[2]);
    picture->radius = largest > 0.0 ? static_cast<float>(diagonal / largest) : 1.0f;
}

// Says so when there is nothing to see; the picture shows the background alone.
void noteEmpty(const ObjModel* model, const std::string& input) {
    if (model->facecount == 0) {
        std::fprintf(stderr, "objtool: note: %s has no triangles; the picture is empty\n",
                     input.c_str());
    }
}

int failed(const char* verb, const std::string& input, const std::string& error) {
    std::fprintf(stderr, "objtool: can't %s \"%s\": %s\n", verb, input.c_str(), error.c_str());
    return 1;
}

// Gives the model the normals that drawing needs, and the frame that fits it.
ModelPicture prepareModelPicture(ObjModel* model, const Command& command) {
    ModelPicture picture;
    picture.model = model;
    picture.name = std::filesystem::path(command.input).filename().string();
    if (model->facetnorms == nullptr) {
        glmBuildFacetNormals(model);
    }
    if (command.convert.smoothAngle) {
        picture.smoothAngle = *command.convert.smoothAngle;
    } else if (model->normals != nullptr) {
        picture.fileNormals = true;
    } else if (model->facecount > 0) {
        glmVertexNormals(model, kDefaultSmoothAngle);
    }
    frame(&picture);
    return picture;
}

} // namespace

int viewModel(ObjModel* model, const Command& command) {
    std::string error;
    const ObjtoolDisplay* display = loadDisplayModule(&error);
    if (display == nullptr || !applyConvertOptions(model, command.convert, command.input, &error)) {
        return failed("show", command.input, error);
    }
    ModelPicture picture = prepareModelPicture(model, command);
    noteEmpty(model, command.input);
    if (!display->view(&picture, command.picture, &error)) {
        return failed("show", command.input, error);
    }
    return 0;
}

int renderModel(ObjModel* model, const Command& command) {
    std::string error;
    const std::optional<OutputPlan> plan =
        planOutput(command.output, false, scanSources(command.input).files, &error);
    const ObjtoolDisplay* display = plan ? loadDisplayModule(&error) : nullptr;
    if (display == nullptr || !applyConvertOptions(model, command.convert, command.input, &error)) {
        return failed("render", command.input, error);
    }
    ModelPicture picture = prepareModelPicture(model, command);
    const auto draw = [&](const std::string& path, std::string* drawError) {
        return display->render(&picture, command.picture, path, drawError);
    };
    if (!writePlanned(*plan, draw, &error)) {
        return failed("render", command.input, error);
    }
    noteEmpty(model, command.input);
    return 0;
}
