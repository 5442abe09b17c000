#include "stroke_digits.h"

#include <cassert>

namespace {

using Polyline = std::vector<Vec2>;

// Each glyph in a box 0.6 wide and 1 high, origin at the lower left.
std::vector<Polyline> glyph(int digit) {
    switch (digit) {
    case 1:
        return {{{0.12, 0.78}, {0.36, 1.0}, {0.36, 0.0}}};
    case 2:
        return {{{0.02, 0.78},
                 {0.12, 0.95},
                 {0.30, 1.0},
                 {0.48, 0.95},
                 {0.58, 0.78},
                 {0.52, 0.56},
                 {0.0, 0.0},
                 {0.6, 0.0}}};
    case 3:
        return {{{0.02, 0.88}, {0.20, 1.0}, {0.44, 1.0}, {0.58, 0.86}, {0.54, 0.62}, {0.28, 0.53}},
                {{0.28, 0.53}, {0.54, 0.45}, {0.60, 0.20}, {0.44, 0.0}, {0.16, 0.0}, {0.0, 0.12}}};
    case 4:
        return {{{0.44, 0.0}, {0.44, 1.0}, {0.0, 0.30}, {0.6, 0.30}}};
    case 5:
        return {{{0.58, 1.0},
                 {0.06, 1.0},
                 {0.02, 0.56},
                 {0.30, 0.62},
                 {0.54, 0.52},
                 {0.60, 0.26},
                 {0.46, 0.03},
                 {0.20, 0.0},
                 {0.0, 0.10}}};
    case 6:
        return {{{0.55, 0.94},
                 {0.36, 1.0},
                 {0.12, 0.86},
                 {0.0, 0.50},
                 {0.02, 0.22},
                 {0.16, 0.02},
                 {0.40, 0.0},
                 {0.58, 0.18},
                 {0.56, 0.44},
                 {0.32, 0.56},
                 {0.10, 0.46},
                 {0.01, 0.30}}};
    case 7:
        return {{{0.0, 1.0}, {0.6, 1.0}, {0.2, 0.0}}};
    case 8:
        return {{{0.30, 0.55},
                 {0.06, 0.66},
                 {0.06, 0.90},
                 {0.30, 1.0},
                 {0.54, 0.90},
                 {0.54, 0.66},
                 {0.30, 0.55},
                 {0.01, 0.42},
                 {0.01, 0.13},
                 {0.30, 0.0},
                 {0.59, 0.13},
                 {0.59, 0.42},
                 {0.30, 0.55}}};
    }
    assert(false && "only the ring numbers 1 to 8 have glyphs");
    return {};
}

} // namespace

Shape digitShape(int digit, Vec2 centre, double height) {
    const Vec2 origin = centre - Vec2{0.3 * height, 0.5 * height};
    Shape shape;
    for (const Polyline& line : glyph(digit)) {
        Polyline placed;
        for (const Vec2 p : line) {
            placed.push_back(origin + p * height);
        }
        Shape part = stroke(std::move(placed), height * 0.07);
        shape = shape ? unite(shape, part) : part;
    }
    return shape;
}
