#include "app_state.h"

CameraSetup activeCamera = nullptr;

float aimPoint[3] = {0, 0, 0};
double firingX = 0;
double walkPosition[3] = {0, 0, 0};
double walkDirection[3] = {0, 0, 0};
double walkYaw = 0;
double panoramaAngle = 0;

float rabbitX = 0;
float rabbitStep = 0;
float gopherX = 0;
float gopherY = 0;
float gopherStep = 0;
std::int32_t gopherHole = 0;

bool overheadLightOn = true;
bool spotLightOn = false;
// Directional (w = 0): shines straight down on the whole scene.
const float overheadLightPosition[4] = {0, 60, 0, 0};
float spotPosition[4] = {0, 8, 7, 1};
float spotDirection[3] = {0, -1, spotStartTilt};
float spotCutoff = spotStartCutoff;
