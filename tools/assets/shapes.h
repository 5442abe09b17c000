// Figures for the painted pictures, described by signed distance: a shape tells, for a point
// of the picture, how far it lies outside its outline (negative inside). Distances make smooth
// edges, outlines and rounded shading simple. Coordinates run from 0 to 1 across the picture,
// x to the right and y upwards, as the picture is meant to be seen.
#pragma once

#include "colour.h"
#include "picture.h"
#include "vec.h"

#include <functional>
#include <vector>

using Shape = std::function<double(Vec2)>;

Shape circle(Vec2 centre, double radius);
// An ellipse with radii rx, ry, turned by `degrees` counter-clockwise about its centre. The
// distance is a first-order estimate: exact on the outline, close to it nearby.
Shape ellipse(Vec2 centre, double rx, double ry, double degrees = 0);
// A stroke of width 2 * radius with round ends along the points of a polyline.
Shape stroke(std::vector<Vec2> points, double radius);
// A half-plane: inside where the point lies to the left of the directed line from a to b.
Shape halfPlane(Vec2 a, Vec2 b);

Shape unite(Shape a, Shape b);
Shape intersect(Shape a, Shape b);
Shape subtract(Shape from, Shape cut);
Shape moved(Shape shape, Vec2 offset);

struct Style {
    Colour fill;
    Colour ink;             // outline colour
    double inkWidth = 0;    // outline width, centred on the edge; 0 draws none
    double rimShade = 0;    // how much darker the fill gets at its edge, 0..1
    double rimWidth = 0.05; // how far inside the darkening reaches
};

// A plain fill without outline or shading.
inline Style solid(Colour colour) {
    return {colour, colour, 0};
}

// Paints the shape over the picture with an anti-aliased edge.
void paintShape(Picture& picture, const Shape& shape, const Style& style);
