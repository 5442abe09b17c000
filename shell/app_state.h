// The application state: global variables read and changed only by the GLUT callbacks,
// all on the one thread that runs the GLUT main loop.
#pragma once

#include <cstdint>

// A camera set-up multiplies its view transform onto the current modelview matrix.
using CameraSetup = void (*)();

extern CameraSetup activeCamera;

extern float aimPoint[3];       // where the crosshair is drawn in the firing view
extern double firingX;          // x of the eye in the firing view
extern double walkPosition[3];  // the walk-through viewer; the eye is 0.5 above it
extern double walkDirection[3]; // recomputed by every walk-through frame
extern double walkYaw;          // degrees
extern double panoramaAngle;    // degrees

extern float rabbitX;
extern float rabbitStep;
extern float gopherX;
extern float gopherY; // height of the gopher's lower edge
extern float gopherStep;
extern std::int32_t gopherHole; // 1 to 3

extern bool overheadLightOn; // light 0
extern bool spotLightOn;     // light 1
extern const float overheadLightPosition[4];
extern float spotPosition[4];
extern float spotDirection[3];
extern float spotCutoff; // degrees

// The spot light's tilt (the z of its direction) and cutoff at start-up and after a reset.
inline constexpr float spotStartTilt = -4.5f;
inline constexpr float spotStartCutoff = 13;

// The gopher's starting height: two float steps below the float nearest to 1.1, so that its
// path turns at 4.4 and 0.8 exactly as the animation expects.
inline constexpr float gopherStartY = 1.0999998f;
