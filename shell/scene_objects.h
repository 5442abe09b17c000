// The scene objects, one of each, built before main in the order of scene_objects.cpp and
// destroyed in reverse at exit. No constructor touches OpenGL.
#pragma once

#include "booth_set.h"
#include "crosshair.h"
#include "shotgun.h"
#include "sky_cube.h"
#include "target.h"

extern Shotgun shotgun;
extern Crosshair crosshair;
extern Target rabbit;
extern Target gopher;
extern Target paperTarget; // stands for all three paper boards, which share its counter
extern BoothSet boothSet;  // one booth, drawn three times
extern SkyCube skyCube;

// Where the paper boards stand, left to right, and the height of the rabbit and the boards;
// the frame draws them and the shot tests them at the same places. Every target stands at the
// same depth.
inline constexpr float paperBoardX[3] = {-3.5f, 0, 3.5f};
inline constexpr float boardY = 4.2f;
inline constexpr float targetDepth = -13;

// The gun's height and depth, at start-up and at every firing position.
inline constexpr float gunHeight = 4.5f;
inline constexpr float gunDepth = 8;
