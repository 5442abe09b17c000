#include "texture_upload.h"

static_assert(PixelFormatColorIndex == GL_COLOR_INDEX && PixelFormatRgb == GL_RGB &&
              PixelFormatRgba == GL_RGBA);

void uploadTexture(GLuint textureName, const BmpImage& image) {
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Rows are padded to 4 bytes, which is OpenGL's default unpack alignment.
    glTexImage2D(GL_TEXTURE_2D, 0, 3, static_cast<GLsizei>(image.width),
                 static_cast<GLsizei>(image.height), 0, image.format, GL_UNSIGNED_BYTE,
                 image.pixels);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}
