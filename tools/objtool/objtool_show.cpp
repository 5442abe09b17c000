#include "objtool_show.h"

#include "objtool_bounds.h"
#include "objtool_convert.h"
#include "objtool_module.h"
#include "objtool_output.h"
#include "objtool_read.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <optional>

namespace {

// The angle the gallery smooths its gun with.
constexpr float kDefaultSmoothAngle = 90.0f;

// The turn that drawing gives the model before the viewer's own: the pitch about x after the
// yaw about y, as rows.
struct Turn {
    double rows[3][3];

    explicit Turn(const PictureSettings& settings) {
        const double yaw = settings.yaw * std::numbers::pi / 180.0;
        const double pitch = settings.pitch * std::numbers::pi / 180.0;
        const double cy = std::cos(yaw), sy = std::sin(yaw);
        const double cp = std::cos(pitch), sp = std::sin(pitch);
        const double turn[3][3] = {{cy, 0.0, sy}, {sp * sy, cp, -sp * cy}, {-cp * sy, sp, cp * cy}};
        std::copy(&turn[0][0], &turn[0][0] + 9, &rows[0][0]);
    }
    double apply(const float* v, int row) const {
        return rows[row][0] * v[0] + rows[row][1] * v[1] + rows[row][2] * v[2];
    }
};

// Frames the model by its extent as the settings turn it and the camera sees it, so that it
// fills the picture at any yaw and pitch.
void frame(ModelPicture* picture, const PictureSettings& settings) {
    const Turn turn(settings);
    // The centre of the turned box around the finite vertices, turned back (the transpose
    // undoes a turn), turns the model in place.
    double low[3] = {0.0, 0.0, 0.0};
    double high[3] = {0.0, 0.0, 0.0};
    bool any = false;
    forEachFiniteVertex(picture->model, [&](const float* v) {
        for (int row = 0; row < 3; row++) {
            const double turned = turn.apply(v, row);
            low[row] = any ? std::min(low[row], turned) : turned;
            high[row] = any ? std::max(high[row], turned) : turned;
        }
        any = true;
    });
    if (!any) {
        return;
    }
    for (int c = 0; c < 3; c++) {
        double centre = 0.0;
        for (int row = 0; row < 3; row++) {
            centre += turn.rows[row][c] * (low[row] + high[row]) / 2;
        }
        picture->centre[c] = static_cast<float>(centre);
    }
    const auto fromCentre = [picture](const float* v) {
        return std::array<float, 3>{v[0] - picture->centre[0], v[1] - picture->centre[1],
                                    v[2] - picture->centre[2]};
    };
    double radius = 0.0;
    forEachFiniteVertex(picture->model, [&](const float* v) {
        const std::array<float, 3> d = fromCentre(v);
        radius = std::max(
            radius, std::sqrt(double(d[0]) * d[0] + double(d[1]) * d[1] + double(d[2]) * d[2]));
    });
    const double scale = radius > 0.0 ? 1.0 / radius : 1.0;
    picture->scale = static_cast<float>(scale);
    bool first = true;
    forEachFiniteVertex(picture->model, [&](const float* v) {
        const std::array<float, 3> d = fromCentre(v);
        const double depth = kCameraDistance - turn.apply(d.data(), 2) * scale;
        for (int axis = 0; axis < 2; axis++) {
            const float seen = static_cast<float>(turn.apply(d.data(), axis) * scale / depth);
            picture->seenLow[axis] = first ? seen : std::min(picture->seenLow[axis], seen);
            picture->seenHigh[axis] = first ? seen : std::max(picture->seenHigh[axis], seen);
        }
        first = false;
    });
}

int failed(const char* verb, const std::string& input, const std::string& error) {
    std::fprintf(stderr, "objtool: can't %s %s: %s\n", verb, shownName(input).c_str(),
                 error.c_str());
    return 1;
}

// Gives the model the normals that drawing needs, and the frame that fits it.
ModelPicture prepareModelPicture(ObjModel* model, const Command& command) {
    ModelPicture picture;
    picture.model = model;
    picture.name = command.input == "-" ? "standard input"
                                        : std::filesystem::path(command.input).filename().string();
    if (model->facetnorms == nullptr) {
        glmBuildFacetNormals(model);
    }
    if (command.convert.smoothAngle) {
        picture.smoothAngle = *command.convert.smoothAngle;
    } else if (model->normals != nullptr) {
        picture.fileNormals = true;
    } else {
        glmVertexNormals(model, kDefaultSmoothAngle);
    }
    frame(&picture, command.picture);
    return picture;
}

// The model changed by the options, when it has something to show; else a message.
bool changeForShowing(ObjModel* model, const Command& command, std::string* error) {
    if (!applyConvertOptions(model, command.convert, command.input, error)) {
        return false;
    }
    if (model->facecount == 0) {
        *error = "it has no triangles to show";
        return false;
    }
    return true;
}

} // namespace

int viewModel(ObjModel* model, const Command& command) {
    std::string error;
    const ObjtoolDisplay* display = nullptr;
    if (!changeForShowing(model, command, &error) ||
        (display = loadDisplayModule(&error)) == nullptr) {
        return failed("show", command.input, error);
    }
    ModelPicture picture = prepareModelPicture(model, command);
    if (!display->view(&picture, command.picture, &error)) {
        return failed("show", command.input, error);
    }
    return 0;
}

int renderModel(ObjModel* model, const ObjReadReport& report, const Command& command) {
    std::string error;
    const std::optional<OutputPlan> plan =
        planOutput(command.output, "", false, filesRead(command.input, report), &error);
    const ObjtoolDisplay* display = nullptr;
    if (!plan || !changeForShowing(model, command, &error) ||
        (display = loadDisplayModule(&error)) == nullptr) {
        return failed("render", command.input, error);
    }
    ModelPicture picture = prepareModelPicture(model, command);
    const auto draw = [&](const std::string& path, std::string* drawError) {
        return display->render(&picture, command.picture, path, drawError);
    };
    if (!writePlanned(*plan, draw, &error)) {
        return failed("render", command.input, error);
    }
    return 0;
}
