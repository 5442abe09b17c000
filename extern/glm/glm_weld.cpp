// Welding: vectors within epsilon of each other on every axis are merged, each vector being
// represented by the first kept vector that matches it, in kept order. Candidates are found
// through a grid of cells of size epsilon, so the work grows linearly with the count.
#include "gallery/glm.h"
#include "glm_assert.h"
#include "glm_weld_grid.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The cell of one coordinate. A matching pair differs by less than epsilon, so its cells are
// equal or adjacent: below 2^24 cells the quotient is exact enough that rounding never moves
// a value across a cell border. Farther out the floats next to a value lie at least epsilon
// away, so only an equal value can match; those are keyed by their bits, beyond the range of
// the near cells, which keeps huge coordinates or a tiny epsilon from piling into one cell.
std::int64_t cellOf(float value, double epsilon) {
    const double quotient = value / epsilon;
    if (std::fabs(quotient) < 16777216.0) {
        return static_cast<std::int64_t>(std::floor(quotient));
    }
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const std::int64_t key = (std::int64_t{1} << 32) + 4 * std::int64_t{bits & 0x7fffffffu};
    return value < 0.0f ? -key : key;
}

bool matches(const float* a, const float* b, double epsilon) {
    for (int c = 0; c < 3; c++) {
        if (!(std::fabs(static_cast<double>(a[c]) - static_cast<double>(b[c])) < epsilon)) {
            return false;
        }
    }
    return true;
}

// The lowest kept index that matches v among the kept vectors of the 27 cells around key,
// or 0 when none does.
std::uint32_t firstMatch(const WeldGrid& grid, const float* kept, const float* v,
                         const WeldCell& key, double epsilon) {
    std::uint32_t best = 0;
    for (std::int64_t dx = -1; dx <= 1; dx++) {
        for (std::int64_t dy = -1; dy <= 1; dy++) {
            for (std::int64_t dz = -1; dz <= 1; dz++) {
                const WeldCell cell{key.x + dx, key.y + dy, key.z + dz};
                for (std::uint32_t j = grid.first(cell); j != 0; j = grid.next(j)) {
                    if ((best == 0 || j < best) && matches(kept + 3 * std::size_t{j}, v, epsilon)) {
                        best = j;
                    }
                }
            }
        }
    }
    return best;
}

// Welds vectors 1 to count into a new malloc'd array of count + 1 vectors holding the kept
// ones at 1 to *keptCount; representative[i] becomes the kept index that stands for vector i.
float* weld(const float* vectors, std::uint32_t count, float epsilon, std::uint32_t* keptCount,
            std::vector<std::uint32_t>& representative) {
    const std::size_t size = (std::size_t{count} + 1) * 3;
    auto* kept = static_cast<float*>(std::calloc(size, sizeof(float)));
    representative.assign(std::size_t{count} + 1, 0);
    // No difference lies below an epsilon of 0, a negative one or a NaN: every vector stays.
    if (!(epsilon > 0.0f)) {
        std::memcpy(kept + 3, vectors + 3, (size - 3) * sizeof(float));
        for (std::uint32_t i = 1; i <= count; i++) {
            representative[i] = i;
        }
        *keptCount = count;
        return kept;
    }
    WeldGrid grid;
    std::uint32_t n = 0;
    for (std::uint32_t i = 1; i <= count; i++) {
        const float* v = vectors + 3 * std::size_t{i};
        const WeldCell key{cellOf(v[0], epsilon), cellOf(v[1], epsilon), cellOf(v[2], epsilon)};
        std::uint32_t match = firstMatch(grid, kept, v, key, epsilon);
        if (match == 0) {
            match = ++n;
            std::memcpy(kept + 3 * std::size_t{n}, v, 3 * sizeof(float));
            grid.insert(key, n);
        }
        representative[i] = match;
    }
    *keptCount = n;
    return kept;
}

} // namespace

// The representing index goes into each input's x as a float, as callers of this function
// expect; above 2^24 vectors a float no longer holds every index exactly, which is why
// glmMergeVertices takes the mapping from the weld itself.
float* glmMergeVectors(float* vectors, std::uint32_t* count, float epsilon) {
    GLM_REQUIRE(vectors);
    GLM_REQUIRE(count);
    std::vector<std::uint32_t> representative;
    float* kept = weld(vectors, *count, epsilon, count, representative);
    for (std::size_t i = 1; i < representative.size(); i++) {
        vectors[3 * i] = static_cast<float>(representative[i]);
    }
    return kept;
}

void glmMergeVertices(ObjModel* model, float epsilon) {
    GLM_REQUIRE(model);
    GLM_REQUIRE(model->vertices);
    std::vector<std::uint32_t> representative;
    std::uint32_t count = 0;
    float* kept = weld(model->vertices, model->vertexcount, epsilon, &count, representative);
    for (std::uint32_t t = 0; t < model->facecount; t++) {
        for (std::int32_t& index : model->faces[t].vertexidx) {
            GLM_REQUIRE(index >= 1 && static_cast<std::uint32_t>(index) <= model->vertexcount);
            index = static_cast<std::int32_t>(representative[static_cast<std::size_t>(index)]);
        }
    }
    std::free(model->vertices);
    model->vertexcount = count;
    // The weld allocated room for every input vector; keep only what the kept ones need.
    void* shrunk = std::realloc(kept, (std::size_t{count} + 1) * 3 * sizeof(float));
    model->vertices = static_cast<float*>(shrunk != nullptr ? shrunk : kept);
}
