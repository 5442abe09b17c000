#include "objtool_bounds.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

std::uint32_t forEachFiniteVertex(const ObjModel* model,
                                  const std::function<void(float* vertex)>& visit) {
    std::uint32_t notFinite = 0;
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        float* v = model->vertices + 3 * std::size_t(i);
        if (std::all_of(v, v + 3, [](float c) { return std::isfinite(c); })) {
            visit(v);
        } else {
            notFinite++;
        }
    }
    return notFinite;
}

FiniteBounds finiteBounds(const ObjModel* model) {
    FiniteBounds bounds;
    bounds.notFinite = forEachFiniteVertex(model, [&bounds](const float* v) {
        for (int c = 0; c < 3; c++) {
            bounds.low[c] = bounds.any ? std::min(bounds.low[c], v[c]) : v[c];
            bounds.high[c] = bounds.any ? std::max(bounds.high[c], v[c]) : v[c];
        }
        bounds.any = true;
    });
    return bounds;
}
