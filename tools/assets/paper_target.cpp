#include "noise.h"
#include "shapes.h"
#include "stroke_digits.h"
#include "targets.h"

namespace {

const Colour paper{0.95, 0.93, 0.86};
const Colour black{0.06, 0.06, 0.06};
const Colour cardboard{0.62, 0.50, 0.34};

const Vec2 centre{0.5, 0.5};
constexpr double outerRadius = 0.46;
constexpr int blackFrom = 7; // rings 7 to 10 lie in the black bull
constexpr double ringLine = 0.006;

// Outer radius of ring k (1 to 10); the rings are equally wide.
double ringRadius(int k) {
    return outerRadius * (11 - k) / 10;
}

} // namespace

Picture paintPaperTarget(int size) {
    // Slightly uneven paper pinned on a cardboard backing that shows at the edges.
    Picture picture(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double grain = fractalNoise(x * 0.15, y * 0.15, 3, 3);
            picture.at(x, y) = scale(paper, 0.96 + 0.06 * grain);
        }
    }
    const Shape sheet = intersect(
        intersect(halfPlane({0.03, 0.03}, {0.97, 0.03}), halfPlane({0.97, 0.03}, {0.97, 0.97})),
        intersect(halfPlane({0.97, 0.97}, {0.03, 0.97}), halfPlane({0.03, 0.97}, {0.03, 0.03})));
    paintShape(picture, subtract(circle(centre, 2), sheet), solid(cardboard));

    paintShape(picture, circle(centre, ringRadius(blackFrom)), solid(black));
    for (int k = 1; k <= 10; ++k) {
        const Colour lineColour = k > blackFrom ? paper : black;
        const Shape ring = subtract(circle(centre, ringRadius(k) + ringLine / 2),
                                    circle(centre, ringRadius(k) - ringLine / 2));
        paintShape(picture, ring, solid(lineColour));
    }
    // The ten is marked by a small cross in its middle.
    const double x = ringRadius(10) * 0.35;
    paintShape(picture, stroke({centre - Vec2{x, 0}, centre + Vec2{x, 0}}, ringLine / 2),
               solid(paper));
    paintShape(picture, stroke({centre - Vec2{0, x}, centre + Vec2{0, x}}, ringLine / 2),
               solid(paper));

    // Ring numbers 1 to 8 on the four arms, each in the middle of its ring.
    const double digitHeight = (ringRadius(1) - ringRadius(2)) * 0.6;
    for (int k = 1; k <= 8; ++k) {
        const double r = (ringRadius(k) + ringRadius(k + 1)) / 2;
        const Colour colour = k >= blackFrom ? paper : black;
        for (const Vec2 dir : {Vec2{1, 0}, Vec2{-1, 0}, Vec2{0, 1}, Vec2{0, -1}}) {
            paintShape(picture, digitShape(k, centre + dir * r, digitHeight), solid(colour));
        }
    }
    return picture;
}
