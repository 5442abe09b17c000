// What objtool hands its display module, which alone links OpenGL, GLUT and EGL: a model ready
// to draw and the picture asked for. info and convert never load the module, so they run
// without any GL or X library; view and render load it when they start (objtool_module.h).
#pragma once

#include "gallery/glm.h"

#include <string>

enum class Shading { Flat, Smooth };

// How the model is shown. The same settings give the same picture in the window and in a file.
struct PictureSettings {
    int width = 640;
    int height = 480;
    // The default shows a long model lying along the depth axis, as the gallery's gun does,
    // from its side, large and nearly level.
    float yaw = 105.0f;  // degrees about the vertical axis, the front turning to the right
    float pitch = 25.0f; // then degrees about the horizontal axis, the top turning forward
    Shading shading = Shading::Smooth;
    bool materials = true; // the model's own materials where it has them, else plain grey
    bool wireframe = false;
};

// The camera's distance from the centre of a fitted model, in the model's radii: its sphere
// would just fill a field of view of 30 degrees, the picture's at zoom 1.
constexpr double kCameraDistance = 3.8637033051562732; // 1 / sin(15 degrees)

// A model ready to show: it has triangles with facet and vertex normals, and the frame that
// fits it into the picture as the settings' yaw and pitch turn it.
struct ModelPicture {
    ObjModel* model = nullptr;
    std::string name; // its file name, which the window's title shows
    // (vertex - centre) * scale fits the finite vertices into the sphere of radius 1, turned
    // about the centre. Turned by the yaw and pitch and seen from kCameraDistance, the finite
    // vertices fall within seenLow to seenHigh: x and y over the distance to the camera. The
    // picture shows that window, widened by a margin.
    float centre[3] = {0.0f, 0.0f, 0.0f};
    float scale = 1.0f;
    float seenLow[2] = {-1.0f, -1.0f};
    float seenHigh[2] = {1.0f, 1.0f};
    float smoothAngle = 90.0f; // the angle that the vertex normals were made with
    bool fileNormals = false;  // the vertex normals are the file's own instead
};

struct ObjtoolDisplay {
    // Opens a window on the display and shows the model until the window is closed or the
    // user quits. Returns false with a message in *error when no window can be opened.
    bool (*view)(ModelPicture* picture, const PictureSettings& settings, std::string* error);
    // Draws the picture off-screen, without a display, and writes it as a PNG file at path.
    // Returns false with a message in *error when it cannot.
    bool (*render)(ModelPicture* picture, const PictureSettings& settings, const std::string& path,
                   std::string* error);
};

// The module's one exported name, which objtool looks up once it has loaded the module.
extern "C" const ObjtoolDisplay objtoolDisplay;
constexpr char kObjtoolDisplaySymbol[] = "objtoolDisplay";
