// The finite vertices of a model: one infinite or undefined coordinate would make a box, a fit
// or a frame meaningless, so such vertices are counted and left out.
#pragma once

#include "gallery/glm.h"

#include <cstdint>
#include <functional>

// Calls visit with each vertex whose coordinates are all finite (3 floats, the model's own);
// returns how many vertices are not.
std::uint32_t forEachFiniteVertex(const ObjModel* model,
                                  const std::function<void(float* vertex)>& visit);

struct FiniteBounds {
    bool any = false; // whether any vertex is finite; low and high hold only then
    float low[3] = {0.0f, 0.0f, 0.0f};
    float high[3] = {0.0f, 0.0f, 0.0f};
    std::uint32_t notFinite = 0; // vertices with a coordinate that is not finite
};

FiniteBounds finiteBounds(const ObjModel* model);
