#include "board.h"
#include "shapes.h"
#include "targets.h"

namespace {

const Colour fur{0.74, 0.58, 0.36};
const Colour darkFur{0.58, 0.43, 0.25};
const Colour belly{0.93, 0.86, 0.68};
const Colour earth{0.45, 0.31, 0.18};
const Colour burrow{0.10, 0.07, 0.04};
const Colour ink{0.12, 0.08, 0.06};
const Colour white{0.98, 0.97, 0.94};
const Colour nose{0.35, 0.22, 0.18};

constexpr double line = 0.012;

Style furStyle(Colour colour) {
    return {colour, ink, line, 0.35, 0.06};
}

} // namespace

Picture paintGopher(int size) {
    Picture picture = paintMeadowBoard(size, 0.30, 2);

    // The burrow's dark mouth behind the animal, the mound in front of it at the end.
    paintShape(picture, ellipse({0.50, 0.16}, 0.26, 0.07), {burrow, ink, line});

    // Tail lying on the ground to the side, then the hind feet and the body sitting up.
    paintShape(picture, ellipse({0.74, 0.20}, 0.10, 0.035, 25), furStyle(darkFur));
    paintShape(picture, ellipse({0.39, 0.19}, 0.08, 0.04, 10), furStyle(fur));
    paintShape(picture, ellipse({0.61, 0.19}, 0.08, 0.04, -10), furStyle(fur));
    const Shape body = unite(ellipse({0.50, 0.38}, 0.17, 0.21), ellipse({0.50, 0.56}, 0.12, 0.12));
    paintShape(picture, body, furStyle(fur));
    paintShape(picture, intersect(ellipse({0.50, 0.37}, 0.10, 0.16), body),
               {belly, ink, 0, 0.15, 0.04});

    // Front paws held together at the chest.
    paintShape(picture, ellipse({0.45, 0.50}, 0.035, 0.055, -25), furStyle(fur));
    paintShape(picture, ellipse({0.55, 0.50}, 0.035, 0.055, 25), furStyle(fur));

    // Head: ears first, then the face with its pale muzzle.
    paintShape(picture, ellipse({0.385, 0.80}, 0.03, 0.025, 30), furStyle(darkFur));
    paintShape(picture, ellipse({0.615, 0.80}, 0.03, 0.025, -30), furStyle(darkFur));
    paintShape(picture, ellipse({0.50, 0.725}, 0.15, 0.105), furStyle(fur));
    paintShape(picture, ellipse({0.50, 0.68}, 0.07, 0.045), {belly, ink, 0, 0.1, 0.02});

    // Big dark eyes with highlights, pale rings around them as the animal has.
    for (double x : {0.445, 0.555}) {
        paintShape(picture, circle({x, 0.765}, 0.03), {belly, ink, 0});
        paintShape(picture, circle({x, 0.765}, 0.022), solid(ink));
        paintShape(picture, circle({x - 0.007, 0.773}, 0.007), solid(white));
    }
    paintShape(picture, ellipse({0.50, 0.705}, 0.018, 0.012), {nose, ink, 0});
    paintShape(picture,
               stroke({{0.47, 0.678}, {0.485, 0.668}, {0.50, 0.678}, {0.515, 0.668}, {0.53, 0.678}},
                      0.003),
               solid(ink));
    paintShape(picture, stroke({{0.50, 0.695}, {0.50, 0.678}}, 0.003), solid(ink));

    // The mound of earth the burrow is dug in.
    const Shape mound =
        subtract(ellipse({0.50, 0.04}, 0.46, 0.11), ellipse({0.50, 0.16}, 0.27, 0.075));
    paintShape(picture, mound, {earth, ink, line, 0.3, 0.05});
    return picture;
}
