// The crosshair: two thin crossed bars that mark the aim point in the firing view. Its stored
// x and y are the aim of every shot.
#pragma once

class Crosshair {
public:
    void setPosition(float x, float y, float z);

    // Adds the bars' lit colour onto the frame buffer, centred on the position, in the x-y
    // plane. Sets no colour, material or texture, and leaves the GL state as it found it.
    void draw() const;

    float x = 0;
    float y = 0;
    float z = 0;
};
