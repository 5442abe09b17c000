// The flash of a shot: a 1 x 1 square that shows ten pictures one after another, one per
// drawn frame, added onto what lies behind it. There is no clock: the animation advances only
// when it is drawn.
#pragma once

#include <GL/gl.h>
#include <cstdint>

inline constexpr int explosionFrameCount = 10;

class Explosion {
public:
    void setPosition(float x, float y, float z);

    // Sets the animation playing from the frame it has reached; never restarts it.
    void start();

    // Draws the current picture and moves to the next; after the tenth picture the next call
    // draws nothing and returns the explosion to idle, whether it was playing or not. Leaves
    // the GL state as it found it.
    void draw();

    // textures[k] shows picture k + 1.
    GLuint textures[explosionFrameCount] = {};
    float x = 0;
    float y = 0;
    float z = 0;
    std::int32_t frame = 0; // the frame the next draw shows
    bool playing = false;
};

// Generates the ten names into names and loads "textury/Explode1.bmp" to "Explode10.bmp"
// into them; a picture that does not load leaves its name without an image, which then draws
// as a plain square. Needs a current OpenGL context.
void loadExplosionTextures(GLuint (&names)[explosionFrameCount]);
