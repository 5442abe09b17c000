// Digits 1 to 8 drawn as strokes, for the numbers on the paper target's rings.
#pragma once

#include "shapes.h"

// The digit centred on `centre`, `height` tall, as a shape for paintShape.
Shape digitShape(int digit, Vec2 centre, double height);
