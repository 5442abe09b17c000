// Colours as three doubles in 0..1 and the blending helpers that the painters share.
#pragma once

#include <algorithm>
#include <cstdint>

struct Colour {
    double r = 0, g = 0, b = 0;
};

inline double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

inline Colour mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Colour scale(Colour c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}

// Hermite step from 0 at edge0 to 1 at edge1; edge0 may lie above edge1 for a falling step.
inline double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// Rounds to the nearest of 256 levels; values outside 0..1 are clipped.
inline std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(clamp01(v) * 255.0 + 0.5);
}
