#include "scene_objects.h"

// One translation unit, so that the objects are built in this order.
Shotgun shotgun;
Crosshair crosshair;
Target rabbit(41);
Target gopher(-39);
Target paperTarget(1);
BoothSet boothSet;
SkyCube skyCube;
