// The box around a model's finite vertices: one infinite or undefined coordinate would make it
// meaningless, so such vertices are counted and left out.
#pragma once

#include "gallery/glm.h"

#include <cstdint>

struct FiniteBounds {
    bool any = false; // whether any vertex is finite; low and high hold only then
    float low[3] = {0.0f, 0.0f, 0.0f};
    float high[3] = {0.0f, 0.0f, 0.0f};
    std::uint32_t notFinite = 0; // vertices with a coordinate that is not finite
};

FiniteBounds finiteBounds(const ObjModel* model);
