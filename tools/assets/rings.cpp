#include "rings.h"

#include <cassert>
#include <cmath>
#include <numbers>

namespace {

// Point j of n on the unit superellipse, counter-clockwise from +x.
Vec2 superellipsePoint(int j, int n, double exponent) {
    const double a = 2 * std::numbers::pi * j / n;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double e = 2 / exponent;
    return {std::copysign(std::pow(std::abs(c), e), c), std::copysign(std::pow(std::abs(s), e), s)};
}

} // namespace

Ring sectionRing(const Section& section, double z, int segments) {
    Ring ring;
    for (int j = 0; j < segments; ++j) {
        const Vec2 p = superellipsePoint(j, segments, section.exponent);
        const double narrowing = 1 - section.topNarrowing * (p.y + 1) / 2;
        ring.push_back({section.centreX + p.x * section.halfWidth * narrowing,
                        section.centreY + p.y * section.halfHeight, z});
    }
    return ring;
}

Ring outlineRing(const std::vector<Vec2>& outline, double z) {
    Ring ring;
    for (const Vec2 p : outline) {
        ring.push_back({p.x, p.y, z});
    }
    return ring;
}

Ring ringAcross(Vec3 centre, Vec3 tangent, double halfWidth, double halfDepth, double exponent,
                int segments) {
    const Vec3 t = normalized(tangent);
    const Vec3 u{1, 0, 0};
    // (u, v, t) right-handed, so the ring runs counter-clockwise about the tangent.
    const Vec3 v = cross(t, u);
    Ring ring;
    for (int j = 0; j < segments; ++j) {
        const Vec2 p = superellipsePoint(j, segments, exponent);
        ring.push_back(centre + u * (p.x * halfWidth) + v * (p.y * halfDepth));
    }
    return ring;
}

double smoothCurve(const std::vector<Key>& keys, double at) {
    assert(!keys.empty() && "a curve needs keys");
    if (at <= keys.front().at) {
        return keys.front().value;
    }
    if (at >= keys.back().at) {
        return keys.back().value;
    }
    std::size_t i = 0;
    while (keys[i + 1].at < at) {
        ++i;
    }
    const auto slope = [&keys](std::size_t k) {
        const std::size_t before = k == 0 ? 0 : k - 1;
        const std::size_t after = std::min(k + 1, keys.size() - 1);
        return (keys[after].value - keys[before].value) / (keys[after].at - keys[before].at);
    };
    const Key& a = keys[i];
    const Key& b = keys[i + 1];
    const double h = b.at - a.at;
    const double t = (at - a.at) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * a.value + (t3 - 2 * t2 + t) * h * slope(i) +
           (-2 * t3 + 3 * t2) * b.value + (t3 - t2) * h * slope(i + 1);
}
