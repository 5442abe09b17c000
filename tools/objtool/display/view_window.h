// objtool view: the model in a GLUT window that the mouse turns and zooms and the keys switch
// between shadings and modes.
#pragma once

#include "objtool_display.h"

#include <string>

// Opens the window and runs until the user quits or closes it. Returns false with a message
// in *error when there is no display to open it on.
bool viewPicture(ModelPicture* picture, const PictureSettings& settings, std::string* error);
