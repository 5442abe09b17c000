// Wall grids, counted from the polygons the real GL assembles in feedback mode.
#include "booth_box.h"
#include "booth_set.h"
#include "feedback_capture.h"

#include <GL/gl.h>
#include <array>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

constexpr int X = 0, Y = 1, Z = 2;

BoothBox boxOfDensity(float density) {
    const float corners[24] = {};
    return BoothBox(corners, density);
}

struct GridExpectation {
    int strips, cells;
    int outerAxis, innerAxis;
    double outerFrom, outerTo, innerFrom, innerTo;
};

void expectGrid(const std::vector<FeedbackPolygon>& polygons, const GridExpectation& e,
                const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_DOUBLE_EQ(quadCount(polygons), static_cast<double>(e.strips) * e.cells);
    EXPECT_EQ(distinctCoordinates(polygons, e.outerAxis), e.strips + 1) << "strips";
    EXPECT_EQ(distinctCoordinates(polygons, e.innerAxis), e.cells + 1) << "cells per strip";
    const auto outer = coordinateRange(polygons, e.outerAxis);
    const auto inner = coordinateRange(polygons, e.innerAxis);
    EXPECT_NEAR(outer[0], std::min(e.outerFrom, e.outerTo), 1e-3);
    EXPECT_NEAR(outer[1], std::max(e.outerFrom, e.outerTo), 1e-3);
    EXPECT_NEAR(inner[0], std::min(e.innerFrom, e.innerTo), 1e-3);
    EXPECT_NEAR(inner[1], std::max(e.innerFrom, e.innerTo), 1e-3);
}

struct WallCase {
    const char* name;
    float density;
    Vec3f corner, extent;
    GridExpectation grid;
};

TEST(DrawWall, DrawsTheGridItsProportionsCallFor) {
    // 41 cells of 1/97 each: the third strip or cell of a 40:1 wall at density 97 reaches
    // past the edge by the fraction of the last cell.
    const double overhang = 3 * (1.0f / 97 * 41);
    const WallCase cases[] = {
        {"x-y wall: 100 strips of 0.3, 5 cells of 0.4",
         100,
         {-15, 0, -5},
         {30, 2, 0},
         {100, 5, X, Y, -15, 15, 0, 2}},
        {"y-z wall: 20 strips of 0.1, 100 cells of 0.1",
         100,
         {15, 0, -5},
         {0, 2, 10},
         {20, 100, Y, Z, 0, 2, -5, 5}},
        {"negative extent: 100 strips of 0.02, 100 cells of -0.1",
         100,
         {-15, 0, 5},
         {0, 2, -10},
         {100, 100, Y, Z, 0, 2, 5, -5}},
        {"x-z wall: 100 strips, 25 cells",
         100,
         {-15, 0, -5},
         {30, 0, 10},
         {100, 25, X, Z, -15, 15, -5, 5}},
        {"fallback cells: 3 across the short side, past its edge",
         97,
         {0, 0, 0},
         {40, 1, 0},
         {97, 3, X, Y, 0, 40, 0, overhang}},
        {"fallback strips: 3 strips, the last past the edge",
         97,
         {0, 2, 0},
         {1, 0, 40},
         {3, 97, X, Z, 0, overhang, 0, 40}},
    };
    for (const WallCase& c : cases) {
        const BoothBox box = boxOfDensity(c.density);
        const auto polygons = capturePolygons([&] { box.drawWall(c.corner, c.extent); });
        expectGrid(polygons, c.grid, c.name);
        const int planeAxis = 3 - c.grid.outerAxis - c.grid.innerAxis;
        EXPECT_EQ(distinctCoordinates(polygons, planeAxis), 1) << c.name << ": not flat";
    }
}

TEST(DrawWall, DrawsNothingWithoutAPositiveFiniteDensity) {
    const float densities[] = {0,
                               -0.0f,
                               -5,
                               -100,
                               std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity()};
    for (const float density : densities) {
        const BoothBox box = boxOfDensity(density);
        const auto polygons = capturePolygons([&] { box.drawWall({-15, 0, -5}, {30, 2, 0}); });
        EXPECT_TRUE(polygons.empty()) << "density " << density;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a glBegin left open";
}

struct WallOfKind {
    int planeAxis;
    int strips, cells;
};

struct KindCase {
    const char* name;
    float halfWidth, height, halfDepth;
    WallOfKind walls[6]; // bottom, back, side -X, front, side +X, top
    int quads;
};

// Where each wall lies and how its grid runs: walls of constant x run their strips along y,
// the others along x.
double wallPlane(const KindCase& kind, int wall) {
    const double at[6] = {
        0, -kind.halfDepth, -kind.halfWidth, kind.halfDepth, kind.halfWidth, kind.height};
    return at[wall];
}

// The normal each wall is lit with: the side walls' point into the box, the others out of it.
constexpr std::array<double, 3> wallNormals[6] = {{0, -1, 0}, {0, 0, -1}, {1, 0, 0},
                                                  {0, 0, 1},  {-1, 0, 0}, {0, 1, 0}};

// The polygons of `draw` lit on a white material by three directional lights, red along x,
// green along y and blue along z, shining the way `sign` gives: each vertex's colour holds
// the parts of its normal that point that way.
std::vector<FeedbackPolygon> litAlongAxes(const std::function<void()>& draw, float sign) {
    return capturePolygons(
        [&] {
            glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT);
            const float black[4] = {0, 0, 0, 1};
            const float white[4] = {1, 1, 1, 1};
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, black);
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
            glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
            glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
            for (int axis = 0; axis < 3; ++axis) {
                float direction[4] = {0, 0, 0, 0};
                float colour[4] = {0, 0, 0, 1};
                direction[axis] = sign;
                colour[axis] = 1;
                const GLenum light = GL_LIGHT0 + static_cast<GLenum>(axis);
                glLightfv(light, GL_POSITION, direction);
                glLightfv(light, GL_AMBIENT, black);
                glLightfv(light, GL_DIFFUSE, colour);
                glLightfv(light, GL_SPECULAR, black);
                glEnable(light);
            }
            glEnable(GL_LIGHTING);
            draw();
            glPopAttrib();
        },
        4'000'000, true);
}

bool liesOn(const FeedbackPolygon& polygon, int axis, double value) {
    for (const Point3& p : polygon.vertices) {
        if (std::abs(p[axis] - value) > 1e-3) {
            return false;
        }
    }
    return true;
}

TEST(BoothBoxWalls, EveryWallOfEveryKindHasItsGridAndNormal) {
    BoothSet set;
    const KindCase kinds[] = {
        {"platform",
         15,
         2,
         5,
         {{Y, 100, 25}, {Z, 100, 5}, {X, 100, 100}, {Z, 100, 100}, {X, 20, 100}, {Y, 100, 25}},
         27'500},
        {"panel",
         3,
         8,
         0.25f,
         {{Y, 50, 5}, {Z, 50, 50}, {X, 50, 50}, {Z, 50, 50}, {X, 50, 5}, {Y, 50, 5}},
         8'250},
        {"counter",
         1,
         4,
         4.25f,
         {{Y, 10, 50}, {Z, 25, 50}, {X, 50, 50}, {Z, 50, 50}, {X, 25, 50}, {Y, 10, 50}},
         8'500},
        {"roof",
         3.5f,
         0.25f,
         5,
         {{Y, 50, 50}, {Z, 50, 2}, {X, 50, 50}, {Z, 50, 50}, {X, 1, 50}, {Y, 50, 50}},
         10'150},
    };
    BoothBox* const boxes[] = {set.platform.get(), set.panel.get(), set.counter.get(),
                               set.roof.get()};
    double allQuads = 0;
    for (int k = 0; k < 4; ++k) {
        const KindCase& kind = kinds[k];
        BoothBox& box = *boxes[k];
        box.buildWallList();
        ASSERT_NE(box.listName, 0u) << kind.name;
        const auto callList = [&] { glCallList(box.listName); };
        const auto polygons = litAlongAxes(callList, 1);
        const auto litTheOtherWay = litAlongAxes(callList, -1);
        ASSERT_EQ(litTheOtherWay.size(), polygons.size()) << kind.name;
        EXPECT_DOUBLE_EQ(quadCount(polygons), kind.quads) << kind.name;
        allQuads += quadCount(polygons);
        for (int w = 0; w < 6; ++w) {
            const WallOfKind& wall = kind.walls[w];
            SCOPED_TRACE(std::string(kind.name) + " wall " + std::to_string(w + 1));
            std::vector<FeedbackPolygon> onWall;
            int wrongNormals = 0;
            for (std::size_t p = 0; p < polygons.size(); ++p) {
                if (!liesOn(polygons[p], wall.planeAxis, wallPlane(kind, w))) {
                    continue;
                }
                onWall.push_back(polygons[p]);
                for (std::size_t v = 0; v < polygons[p].colours.size(); ++v) {
                    for (int axis = 0; axis < 3; ++axis) {
                        const double normal =
                            polygons[p].colours[v][axis] - litTheOtherWay[p].colours[v][axis];
                        wrongNormals += std::abs(normal - wallNormals[w][axis]) > 1e-3 ? 1 : 0;
                    }
                }
            }
            const int outer = wall.planeAxis == X ? Y : X;
            const int inner = wall.planeAxis == Z ? Y : Z;
            EXPECT_DOUBLE_EQ(quadCount(onWall), static_cast<double>(wall.strips) * wall.cells);
            EXPECT_EQ(distinctCoordinates(onWall, outer), wall.strips + 1) << "strips";
            EXPECT_EQ(distinctCoordinates(onWall, inner), wall.cells + 1) << "cells";
            EXPECT_EQ(wrongNormals, 0) << "normal components unlike the wall's";
        }
    }
    EXPECT_DOUBLE_EQ(allQuads, 54'400) << "quads of one rebuild";
}

TEST(BoothBoxWalls, RebuildReplacesTheListUnderItsName) {
    const float corners[24] = {-1, 0, -1, -1, 0, 1, 1, 0, 1, 1, 0, -1,
                               -1, 1, -1, -1, 1, 1, 1, 1, 1, 1, 1, -1};
    BoothBox coarse(corners, 2);
    coarse.buildWallList();
    BoothBox box(corners, 4);
    box.buildWallList();
    const auto name = box.listName;
    const double fine = quadCount(capturePolygons([&] { glCallList(name); }));
    box.density = 2;
    box.buildWallList();
    EXPECT_EQ(box.listName, name);
    const double rebuilt = quadCount(capturePolygons([&] { glCallList(name); }));
    EXPECT_DOUBLE_EQ(rebuilt, quadCount(capturePolygons([&] { glCallList(coarse.listName); })));
    EXPECT_LT(rebuilt, fine);
}

} // namespace
