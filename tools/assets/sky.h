// The sky cube's six pictures, painted from one landscape so that they meet without seams:
// every texel is the colour seen from the middle of the scene through the point of the cube
// that the texel covers. Walls 0, 2, 3 and 4 show distant fields, hills and clouds; face 1 is
// the grass underfoot and face 5 the sky overhead.
#pragma once

#include "picture.h"

constexpr int skyFaceCount = 6;

// Face 0 to 5 as the sky cube maps it: t = 0 along the ground edge of each wall, and s
// running from the viewer's left to right as seen from inside the cube.
Picture paintSkyFace(int face, int size);
