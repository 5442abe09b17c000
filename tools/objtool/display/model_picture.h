// The one drawing of a model that the window and the off-screen picture share: the camera that
// fits the model into the picture, the head light, the shading, the materials and the
// wireframe. Everything the picture depends on is in ModelPicture and PictureView.
#pragma once

#include "objtool_display.h"

#include <GL/gl.h>

// The picture's settings and what the window adds to them.
struct PictureView {
    PictureSettings settings;
    float zoom = 1.0f; // narrows the field of view by this factor
    // The trackball's turns, made after yaw and pitch: a column-major matrix in eye space.
    GLfloat turns[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// Sets the state that every picture shares, once in a new context.
void setUpPictureState();

// Compiles the model's drawing with the settings' shading and materials into a new display
// list.
GLuint makeModelList(ObjModel* model, const PictureSettings& settings);

// Draws the picture into the current framebuffer, settings.width by settings.height pixels.
void drawModelPicture(const ModelPicture& picture, GLuint list, const PictureView& view);
