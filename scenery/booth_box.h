// One kind of box of the booths: an axis-aligned box with a lit material whose six walls are
// grids of small quads, compiled into one display list.
//
// Supported: boxes centred on x = 0 and z = 0 standing on the corners' y (every wall extent is
// derived from corners c0 to c4), any density; a density of 0 or below, or one that is not a
// number, draws no wall. Not supported: boxes placed off the axes (the walls would not close).
#pragma once

#include <cstdint>

// A point or an extent in scene units.
struct Vec3f {
    float x, y, z;
};

class BoothBox {
public:
    // Copies the eight corners (x, y, z each, in the order c0 to c7), the density and the
    // front material.
    BoothBox(const float (&corners)[24], float density, const float (&ambient)[4],
             const float (&diffuse)[4], const float (&specular)[4], float shininess);
    // A box with a black material and shininess 0.
    BoothBox(const float (&corners)[24], float density);
    // Copies everything but the list name, so that each box owns its own list.
    BoothBox(const BoothBox& other);
    // Assignment would leave two boxes calling one list; nothing needs it.
    BoothBox& operator=(const BoothBox&) = delete;

    void setMaterial(const float (&newAmbient)[4], const float (&newDiffuse)[4],
                     const float (&newSpecular)[4], float newShininess);

    // Compiles the six walls into the box's list, reserving the name on first use. Needs a
    // current context and no list being compiled.
    void buildWallList();
    // Sets the box's front material, which stays in effect afterwards (the booth set's lists
    // are compiled from this), and calls the wall list; leaves everything else as it found it.
    void draw() const;
    // Draws one wall as rows of quad strips; one component of extent is 0 and names the plane.
    void drawWall(Vec3f corner, Vec3f extent) const;

    // A divisor of total near count, the larger one first at equal distance; 1 for a count
    // below 2. Where none lies within 10 of count, a value past count that need not divide.
    static int cellsFor(int count, int total);
    // a / b truncated toward zero, sign kept; 1 when either is 0. Quotients beyond the int
    // range are clamped to it, and a quotient that is not a number gives 1.
    static int ratioOf(float a, float b);

    std::uint32_t listName = 0;
    float density;
    float corners[24];
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
};
