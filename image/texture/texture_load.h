// The one way pictures become textures: generate the names, read each BMP file, upload it and
// destroy the image at once. A picture that does not load leaves its name without an image
// (drawn untextured) and a warning on standard error that names the file and the reason; no
// image stays in memory.
#pragma once

#include <GL/gl.h>

// Generates one texture name into `name` and loads the picture at `path` into it.
// Returns whether the picture loaded.
bool loadTexture(GLuint& name, const char* path);

// Generates `count` names into names[0..count-1] at once; picture k is the path printed from
// `format` (one integer conversion such as "textury/skybox%d.bmp", at most 127 characters
// once printed) with firstNumber + k, and goes to names[k]. A format with other than one
// integer conversion loads nothing; every name is still generated.
void loadTextureSeries(GLuint* names, int count, const char* format, int firstNumber);
