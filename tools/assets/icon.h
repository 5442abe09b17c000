// The desktop icon: the paper target's rings, cut round on a transparent ground.
#pragma once

#include "png_writer.h"

PngPixels paintIcon(int size);
