// Hands a read image to OpenGL as the level-0 picture of a 2-D texture.
#pragma once

#include "gallery/bmp_image.h"

#include <GL/gl.h>

// Binds textureName (it stays bound), sets linear filters, uploads the image as three
// components and asks for nicest perspective correction. The image must hold no pending
// palette; it is only read. OpenGL errors are not queried.
void uploadTexture(GLuint textureName, const BmpImage& image);
