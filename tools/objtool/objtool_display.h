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
    float yaw = 30.0f;   // degrees about the vertical axis, the front turning to the right
    float pitch = 20.0f; // then degrees about the horizontal axis, the top turning forward
    Shading shading = Shading::Smooth;
    bool materials = true; // the model's own materials where it has them, else plain grey
    bool wireframe = false;
};

// A model ready to show: it has facet and vertex normals, and the frame that fits it.
struct ModelPicture {
    ObjModel* model = nullptr;
    std::string name; // its file name, which the window's title shows
    // (vertex - centre) * scale fits the model's box into the cube from -1 to 1; radius is the
    // fitted box's half diagonal, which the camera keeps in view.
    float centre[3] = {0.0f, 0.0f, 0.0f};
    float scale = 1.0f;
    float radius = 1.0f;
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
