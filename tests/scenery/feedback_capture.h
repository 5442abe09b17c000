// What the real GL receives from a draw, read back through feedback mode and turned back into
// object coordinates, so that grids can be counted from the polygons OpenGL assembled.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

using Point3 = std::array<double, 3>;
using Colour4 = std::array<double, 4>;

struct FeedbackPolygon {
    std::vector<Point3> vertices; // object coordinates of the draw
    std::vector<Colour4> colours; // each vertex's colour, lighting applied; only when asked for
};

// Runs `draw` in feedback mode under an oblique orthographic view of the cube -60..60 (no wall
// is seen edge-on, nothing inside it is clipped) and returns the polygons, vertices unprojected,
// with their colours when `withColours`. Fails the current test and returns nothing when the
// buffer of `maxFloats` overflows.
std::vector<FeedbackPolygon> capturePolygons(const std::function<void()>& draw,
                                             std::size_t maxFloats = 4'000'000,
                                             bool withColours = false);

// Quads assembled from the polygons: a triangle counts one half, an n-gon (n - 2) / 2.
double quadCount(const std::vector<FeedbackPolygon>& polygons);

// The number of distinct values of coordinate `axis` over all vertices, values closer than
// 1e-3 counted as one.
int distinctCoordinates(const std::vector<FeedbackPolygon>& polygons, int axis);

// Smallest and largest value of coordinate `axis` over all vertices.
std::array<double, 2> coordinateRange(const std::vector<FeedbackPolygon>& polygons, int axis);
