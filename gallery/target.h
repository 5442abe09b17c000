// A shootable board: an upright 3 x 3 picture standing on its position, the hits it has taken
// and a stroke-text counter of them at a fixed place in the scene. One Target may stand for
// several boards of the same kind, placed and drawn once per board; they share its counter.
#pragma once

#include <GL/gl.h>
#include <cstdint>

class Target {
public:
    // labelX: the scene x at which the counter text begins.
    explicit Target(float labelX) : labelX(labelX) {}

    // Generates the texture name and loads the picture into it. Needs a current context.
    void loadTexture(const char* path);

    void setPosition(float x, float y, float z);

    // Counts a hit when (aimX, aimY) lies in the board standing at (targetX, targetY): x within
    // 1.5 of targetX and y from targetY to targetY + 3, bounds included. Depth plays no part.
    void testHit(float targetX, float targetY, float aimX, float aimY);

    // Draws the board at the stored position and the counter text at (labelX, 8, 4), or
    // nothing while not visible. Leaves the GL state as it found it.
    void draw() const;

    // Writes the counter text at the current origin.
    void drawHits() const;

    GLuint texture = 0;
    float x = 0;
    float y = 0;
    float z = 0;
    float labelX;
    std::int32_t hits = 0;
    bool textureMissing = true; // before loading, and after a load that failed
    bool visible = true;
};
