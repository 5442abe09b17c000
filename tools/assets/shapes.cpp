#include "shapes.h"

#include <cassert>
#include <cmath>
#include <limits>
#include <numbers>

Shape circle(Vec2 centre, double radius) {
    return [=](Vec2 p) { return length(p - centre) - radius; };
}

Shape ellipse(Vec2 centre, double rx, double ry, double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return [=](Vec2 p) {
        const Vec2 d = p - centre;
        const Vec2 q{d.x * c + d.y * s, -d.x * s + d.y * c};
        // k is 1 on the outline; dividing by the gradient's length turns k - 1 into a distance.
        const double k = length(Vec2{q.x / rx, q.y / ry});
        const double g = length(Vec2{q.x / (rx * rx), q.y / (ry * ry)});
        if (g == 0) {
            return -std::min(rx, ry);
        }
        return k * (k - 1) / g;
    };
}

Shape stroke(std::vector<Vec2> points, double radius) {
    assert(points.size() >= 2 && "a stroke runs between at least two points");
    return [points = std::move(points), radius](Vec2 p) {
        double best = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const Vec2 a = points[i];
            const Vec2 ab = points[i + 1] - a;
            const double t = clamp01(dot(p - a, ab) / dot(ab, ab));
            best = std::min(best, length(p - (a + ab * t)));
        }
        return best - radius;
    };
}

Shape halfPlane(Vec2 a, Vec2 b) {
    const Vec2 dir = (b - a) * (1 / length(b - a));
    return [=](Vec2 p) {
        const Vec2 d = p - a;
        return d.x * dir.y - d.y * dir.x;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](Vec2 p) { return std::min(a(p), b(p)); };
}

Shape intersect(Shape a, Shape b) {
    return [=](Vec2 p) { return std::max(a(p), b(p)); };
}

Shape subtract(Shape from, Shape cut) {
    return [=](Vec2 p) { return std::max(from(p), -cut(p)); };
}

Shape moved(Shape shape, Vec2 offset) {
    return [=](Vec2 p) { return shape(p - offset); };
}

void paintShape(Picture& picture, const Shape& shape, const Style& style) {
    const double pixel = 1.0 / picture.width();
    // Coverage of a pixel by the region where the distance is below zero, from a linear ramp
    // one pixel wide across the edge.
    const auto coverage = [pixel](double d) { return clamp01(0.5 - d / pixel); };
    const double halfInk = style.inkWidth / 2;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Vec2 p{(x + 0.5) / picture.width(), (y + 0.5) / picture.height()};
            const double d = shape(p);
            if (d > halfInk + pixel) {
                continue;
            }
            Colour& out = picture.at(x, y);
            const double rim = 1 - style.rimShade * (1 - smoothstep(0, style.rimWidth, -d));
            if (style.inkWidth > 0) {
                out = mix(out, style.ink, coverage(d - halfInk));
                out = mix(out, scale(style.fill, rim), coverage(d + halfInk));
            } else {
                out = mix(out, scale(style.fill, rim), coverage(d));
            }
        }
    }
}
