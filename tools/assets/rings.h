// Ring shapes for sweeps, and the smooth curves along which their sizes change.
#pragma once

#include "mesh.h"

#include <vector>

// A rounded section across the z axis: a superellipse (exponent 2 is an ellipse, higher
// exponents come closer to a rectangle), optionally narrower toward its top, as a gun stock is.
struct Section {
    double centreX = 0, centreY = 0;
    double halfWidth = 1, halfHeight = 1;
    double exponent = 2;
    double topNarrowing = 0; // 0.2: the top is 20 % narrower than the bottom
};

Ring sectionRing(const Section& section, double z, int segments);
// A polygon outline in the x-y plane (counter-clockwise) placed at z.
Ring outlineRing(const std::vector<Vec2>& outline, double z);
// A rounded section across a path that runs in the y-z plane: halfWidth along x, halfDepth
// in the path's plane.
Ring ringAcross(Vec3 centre, Vec3 tangent, double halfWidth, double halfDepth, double exponent,
                int segments);

// A smooth curve through (at, value) keys with rising `at`: cubic pieces whose slopes follow
// the neighbouring keys, flat beyond the ends.
struct Key {
    double at, value;
};
double smoothCurve(const std::vector<Key>& keys, double at);
