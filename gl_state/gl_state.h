// The game's helpers for the OpenGL state around drawing. Each draw routine saves what it
// changes with one of them and gets it back at the end of its scope, so that nothing it sets
// reaches what is drawn after it. Each helper below says what it saves and restores.
#pragma once

#include <GL/gl.h>

// Every attribute group of OpenGL 1.1. Later headers define GL_ALL_ATTRIB_BITS as 0xFFFFFFFF,
// which also saves the multisample group.
inline constexpr GLbitfield allAttributeBits = 0xFFFFF;

// Saves the attribute groups named by `bits` (glPushAttrib) when made, and restores every
// state in them (glPopAttrib) when it goes out of scope. The groups the game uses:
// GL_ENABLE_BIT every capability's switch, GL_TEXTURE_BIT the bound textures,
// GL_COLOR_BUFFER_BIT blending and its factors, GL_LIGHTING_BIT the materials and lights,
// GL_CURRENT_BIT the current colour, normal and texture coordinate.
class SavedAttributes {
public:
    explicit SavedAttributes(GLbitfield bits) { glPushAttrib(bits); }
    ~SavedAttributes() { glPopAttrib(); }
    SavedAttributes(const SavedAttributes&) = delete;
    SavedAttributes& operator=(const SavedAttributes&) = delete;
};

// Sets the ambient, diffuse and specular colours (red, green, blue, alpha each) and the
// specular exponent of `face` (GL_FRONT, GL_BACK or GL_FRONT_AND_BACK), in that order. Saves
// nothing: the caller keeps the material with SavedAttributes(GL_LIGHTING_BIT) or
// SavedFrontMaterial, or leaves it set on purpose.
void applyMaterial(GLenum face, const float* ambient, const float* diffuse, const float* specular,
                   float shininess);

// Saves the front material's ambient, diffuse and specular colours and its shininess when
// made, and sets them again when it goes out of scope. For drawing that calls display lists
// which set a material: Mesa (22.3 at least) does not undo such a material on glPopAttrib.
class SavedFrontMaterial {
public:
    SavedFrontMaterial();
    ~SavedFrontMaterial();
    SavedFrontMaterial(const SavedFrontMaterial&) = delete;
    SavedFrontMaterial& operator=(const SavedFrontMaterial&) = delete;

private:
    float ambient[4]{};
    float diffuse[4]{};
    float specular[4]{};
    float shininess = 0;
};
