// objtool render: the picture drawn without a display or an X server and written as PNG.
#pragma once

#include "objtool_display.h"

#include <string>

// Draws the picture that a window of settings' size would show first, and writes it as PNG to
// path. Returns false with a message in *error when it cannot.
bool renderPicture(ModelPicture* picture, const PictureSettings& settings, const std::string& path,
                   std::string* error);
