// The sky cube: six textured quads enclosing the scene in fixed world coordinates, from
// x, z = -120 to 120 and y = 0 (the ground) to 100 (the ceiling). It does not follow the viewer.
#pragma once

#include <cstdint>

class SkyCube {
public:
    // Generates the six texture names and uploads "textury/skybox0.bmp" to
    // "textury/skybox5.bmp" to them, index by index. A picture that does not load leaves its
    // face untextured. Needs a current context.
    void loadTextures();
    // Draws the six faces, lit by whatever lighting and material are current, and leaves the
    // GL state as it found it.
    void draw() const;

    // Indexed by the number in the picture's name: 0 wall at z = -120, 1 ground, 2 wall at
    // z = +120, 3 wall at x = -120, 4 wall at x = +120, 5 ceiling.
    std::uint32_t faceTextures[6] = {0, 0, 0, 0, 0, 0};
};
