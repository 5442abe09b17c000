#include "objtool_bounds.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

FiniteBounds finiteBounds(const ObjModel* model) {
    FiniteBounds bounds;
    for (std::uint32_t i = 1; i <= model->vertexcount; i++) {
        const float* v = model->vertices + 3 * std::size_t(i);
        if (!std::all_of(v, v + 3, [](float c) { return std::isfinite(c); })) {
            bounds.notFinite++;
            continue;
        }
        for (int c = 0; c < 3; c++) {
            bounds.low[c] = bounds.any ? std::min(bounds.low[c], v[c]) : v[c];
            bounds.high[c] = bounds.any ? std::max(bounds.high[c], v[c]) : v[c];
        }
        bounds.any = true;
    }
    return bounds;
}
