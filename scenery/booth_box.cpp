#include "booth_box.h"

#include "gl_state.h"

#include <GL/gl.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

// Truncation toward zero that stays defined for every float: out-of-range values are clamped,
// and a value that is not a number gives `nanResult`.
int truncateToInt(float value, int nanResult) {
    if (std::isnan(value)) {
        return nanResult;
    }
    if (value >= 2147483648.0f) {
        return INT_MAX;
    }
    if (value <= -2147483648.0f) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

int clampToInt(long long value) {
    return static_cast<int>(std::min<long long>(value, INT_MAX));
}

// One pair of a quad strip at the running point p: the vertex on the far side of the strip
// first. Sums are formed in double precision, as the vertices go out.
void emitPair(const float (&p)[3], int outer, float outerStep, int inner, float innerStep) {
    double v[3] = {p[0], p[1], p[2]};
    v[inner] += innerStep;
    double farSide[3] = {v[0], v[1], v[2]};
    farSide[outer] += outerStep;
    glVertex3dv(farSide);
    glVertex3dv(v);
}

Vec3f corner(const float (&corners)[24], int index) {
    return {corners[3 * index], corners[3 * index + 1], corners[3 * index + 2]};
}

} // namespace

BoothBox::BoothBox(const float (&corners)[24], float density, const float (&ambient)[4],
                   const float (&diffuse)[4], const float (&specular)[4], float shininess)
    : BoothBox(corners, density) {
    setMaterial(ambient, diffuse, specular, shininess);
}

BoothBox::BoothBox(const float (&corners)[24], float density)
    : density(density), ambient{}, diffuse{}, specular{}, shininess(0) {
    std::copy(std::begin(corners), std::end(corners), this->corners);
}

BoothBox::BoothBox(const BoothBox& other)
    : BoothBox(other.corners, other.density, other.ambient, other.diffuse, other.specular,
               other.shininess) {}

void BoothBox::setMaterial(const float (&newAmbient)[4], const float (&newDiffuse)[4],
                           const float (&newSpecular)[4], float newShininess) {
    std::copy(std::begin(newAmbient), std::end(newAmbient), ambient);
    std::copy(std::begin(newDiffuse), std::end(newDiffuse), diffuse);
    std::copy(std::begin(newSpecular), std::end(newSpecular), specular);
    shininess = newShininess;
}

int BoothBox::ratioOf(float a, float b) {
    if (a == 0 || b == 0) {
        return 1;
    }
    return truncateToInt(a / b, 1);
}

int BoothBox::cellsFor(int count, int total) {
    if (count < 2) {
        return 1;
    }
    // Wide arithmetic: count + 10 and the fallback may pass the int range.
    const long long c = count;
    const long long t = total;
    for (long long i = 0; i <= 10; ++i) {
        if (t % (c + i) == 0) {
            return clampToInt(c + i);
        }
        // Never 0: for a count up to 11 the candidate 1 divides before that.
        if (t % (c - i) == 0) {
            return static_cast<int>(c - i);
        }
    }
    long long d = 2;
    while (t % d == 0 && d < c) {
        ++d;
    }
    return clampToInt(c + d - 1);
}

void BoothBox::drawWall(Vec3f corner, Vec3f extent) const {
    // An infinite density would never finish its strips.
    if (!std::isfinite(density)) {
        return;
    }
    float step[3] = {extent.x / density, extent.y / density, extent.z / density};
    // Axes 0, 1, 2 are x, y, z. Strips advance along the outer axis, cells along the inner.
    int outer = 0;
    int inner = 1;
    float outerExtent = extent.x;
    float innerExtent = extent.y;
    if (extent.x == 0) {
        outer = 1;
        inner = 2;
        outerExtent = extent.y;
        innerExtent = extent.z;
    } else if (extent.y == 0) {
        inner = 2;
        innerExtent = extent.z;
    }
    const int wholeDensity = truncateToInt(density, 0);
    const int innerCells = cellsFor(ratioOf(outerExtent, innerExtent), wholeDensity);
    const int outerCells = cellsFor(ratioOf(innerExtent, outerExtent), wholeDensity);
    step[outer] *= static_cast<float>(outerCells);
    step[inner] *= static_cast<float>(innerCells);
    const float outerCount = density / static_cast<float>(outerCells);
    const float innerCount = density / static_cast<float>(innerCells);
    if (!(outerCount > 0)) {
        return;
    }

    float p[3] = {corner.x, corner.y, corner.z};
    const float start = p[inner];
    // Fractional counts are taken upward: the last strip or cell then reaches past the edge.
    for (std::int64_t k = 0; static_cast<double>(k) < outerCount; ++k) {
        glBegin(GL_QUAD_STRIP);
        p[inner] = start;
        emitPair(p, outer, step[outer], inner, 0);
        for (std::int64_t j = 0; static_cast<double>(j) < innerCount; ++j) {
            emitPair(p, outer, step[outer], inner, step[inner]);
            p[inner] += step[inner];
        }
        glEnd();
        p[outer] += step[outer];
    }
}

void BoothBox::buildWallList() {
    if (listName == 0) {
        listName = glGenLists(1);
    }
    if (listName == 0) {
        return; // without a name the walls would be drawn instead of compiled
    }
    const Vec3f c0 = corner(corners, 0);
    const Vec3f c1 = corner(corners, 1);
    const Vec3f c2 = corner(corners, 2);
    const Vec3f c3 = corner(corners, 3);
    const Vec3f c4 = corner(corners, 4);
    const float height = c4.y;
    // The side walls' normals point into the box, the others out of it; the top takes its
    // depth from c3, which equals c4's in every box.
    glNewList(listName, GL_COMPILE);
    glNormal3f(0, -1, 0);
    drawWall(c0, {-2 * c0.x, 0, -2 * c0.z});
    glNormal3f(0, 0, -1);
    drawWall(c0, {-2 * c0.x, height, 0});
    glNormal3f(1, 0, 0);
    drawWall(c1, {0, height, -2 * c1.z});
    glNormal3f(0, 0, 1);
    drawWall(c2, {-2 * c2.x, height, 0});
    glNormal3f(-1, 0, 0);
    drawWall(c3, {0, height, -2 * c3.z});
    glNormal3f(0, 1, 0);
    drawWall(c4, {-2 * c4.x, 0, -2 * c3.z});
    glEndList();
}

void BoothBox::draw() const {
    // The material is set outside the saved attributes and so stays in effect.
    applyMaterial(GL_FRONT, ambient, diffuse, specular, shininess);
    glPushMatrix();
    {
        const SavedAttributes saved(allAttributeBits);
        glCallList(listName);
    }
    glPopMatrix();
}
