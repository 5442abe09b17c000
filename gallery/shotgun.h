// The player's gun: it stands at the firing position, counts its cartridges and shows the
// count in the scene, and owns the explosion that every shot starts. While hidden it neither
// draws nor fires, and its explosion stands still.
#pragma once

#include "explosion.h"

#include <cstdint>

struct ObjModel;

class Shotgun {
public:
    Shotgun() = default;
    // Releases the gun's model, if it was ever read.
    ~Shotgun();
    Shotgun(const Shotgun&) = delete;
    Shotgun& operator=(const Shotgun&) = delete;

    // Spends a cartridge and starts the explosion; refuses (false) while hidden or empty.
    bool fire();

    void show() { shown = true; }
    void hide() { shown = false; }
    bool isShown() const { return shown; }

    void setHeading(float degrees) { heading = degrees; }
    void setScale(float factor) { scale = factor; }

    // Moves the gun and keeps the explosion 3 units in front of it, towards -z.
    void setPosition(float x, float y, float z);

    // Draws the gun, its explosion (which advances one frame) and the cartridge counter, or
    // nothing while hidden. The first draw of the shown gun reads "modely/brokovnice.obj".
    // Leaves the GL state as it found it.
    void draw();

    // Writes the cartridge counter text at the current origin.
    void drawCartridges() const;

private:
    ObjModel* model = nullptr; // read at the first draw of the shown gun
    bool shown = true;
    float heading = 0; // degrees about the vertical axis
    float x = 0;
    float y = 0;
    float z = 0;
    float scale = 1; // the model is fitted into the cube from -1 to 1

public:
    std::int32_t cartridges = 5;
    Explosion explosion;
};
