#include "board.h"
#include "shapes.h"
#include "targets.h"

namespace {

const Colour fur{0.60, 0.45, 0.32};
const Colour farFur{0.46, 0.34, 0.24};
const Colour belly{0.90, 0.85, 0.76};
const Colour earInside{0.92, 0.62, 0.62};
const Colour ink{0.12, 0.08, 0.06};
const Colour white{0.98, 0.97, 0.94};

constexpr double line = 0.012;

Style furStyle(Colour colour) {
    return {colour, ink, line, 0.35, 0.06};
}

} // namespace

Picture paintRabbit(int size) {
    Picture picture = paintMeadowBoard(size, 0.36, 1);

    // Far side first: the far ear and far legs, darker, then the body over them.
    paintShape(picture, ellipse({0.40, 0.80}, 0.045, 0.16, -38), furStyle(farFur));
    paintShape(picture, stroke({{0.42, 0.40}, {0.33, 0.24}, {0.27, 0.22}}, 0.028),
               furStyle(farFur));
    paintShape(picture, ellipse({0.80, 0.22}, 0.13, 0.035, -22), furStyle(farFur));

    // Tail, tucked behind the rump.
    paintShape(picture, circle({0.85, 0.50}, 0.055), {white, ink, line, 0.25, 0.03});

    const Shape body =
        unite(ellipse({0.56, 0.44}, 0.26, 0.15, 10), ellipse({0.36, 0.46}, 0.13, 0.12, -20));
    paintShape(picture, body, furStyle(fur));
    paintShape(picture, intersect(ellipse({0.50, 0.33}, 0.19, 0.06, 6), body),
               {belly, ink, 0, 0.15, 0.03});

    // Near hind leg: the haunch and the long foot thrown back.
    paintShape(picture, ellipse({0.70, 0.38}, 0.13, 0.11, 25), furStyle(fur));
    paintShape(picture, ellipse({0.80, 0.25}, 0.14, 0.04, -22), furStyle(fur));
    // Near front leg reaching forward.
    paintShape(picture, stroke({{0.35, 0.38}, {0.24, 0.26}, {0.17, 0.25}}, 0.03), furStyle(fur));

    // Head and near ear.
    paintShape(picture, ellipse({0.25, 0.60}, 0.12, 0.095, -18), furStyle(fur));
    paintShape(picture, ellipse({0.36, 0.79}, 0.05, 0.17, -32), furStyle(fur));
    paintShape(picture, ellipse({0.36, 0.80}, 0.022, 0.12, -32), {earInside, ink, 0, 0.2, 0.02});

    // Face: eye with a highlight, nose, whiskers.
    paintShape(picture, circle({0.215, 0.625}, 0.024), solid(ink));
    paintShape(picture, circle({0.207, 0.633}, 0.008), solid(white));
    paintShape(picture, circle({0.137, 0.575}, 0.015), {earInside, ink, 0.006});
    for (double dy : {-0.03, 0.0, 0.03}) {
        paintShape(picture, stroke({{0.15, 0.565}, {0.06, 0.565 + dy * 1.6}}, 0.002), solid(ink));
    }
    return picture;
}
