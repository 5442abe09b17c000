// The booth set on the real GL: its list names, what it draws and that the lists are built
// once. The state it leaves is checked with every other drawing's (draw_state_gl_test.cpp).
#include "booth_set.h"
#include "feedback_capture.h"

#include <GL/gl.h>
#include <array>
#include <gtest/gtest.h>
#include <set>

namespace {

// Quads of one set: the platform, three panels, two counters and two roofs.
constexpr double quadsPerSet = 27'500 + 3 * 8'250 + 2 * 8'500 + 2 * 10'150;

TEST(BoothSet, ConstructionMakesNoGlCall) {
    const GLuint before = glGenLists(1);
    {
        const BoothSet set;
        EXPECT_EQ(set.listBase, 0u);
        for (const BoothBox* box :
             {set.platform.get(), set.panel.get(), set.counter.get(), set.roof.get()}) {
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->listName, 0u);
        }
    }
    EXPECT_EQ(glGenLists(1), before + 1) << "construction or destruction took list names";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(BoothSet, FirstDrawReservesFourConsecutiveAndEightDistinctNames) {
    BoothSet set;
    set.draw();
    ASSERT_NE(set.listBase, 0u);
    std::set<GLuint> names;
    for (GLuint k = 0; k < 4; ++k) {
        EXPECT_TRUE(glIsList(set.listBase + k)) << "set list " << k;
        names.insert(set.listBase + k);
    }
    for (const BoothBox* box :
         {set.platform.get(), set.panel.get(), set.counter.get(), set.roof.get()}) {
        EXPECT_TRUE(glIsList(box->listName));
        names.insert(box->listName);
    }
    EXPECT_EQ(names.size(), 8u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// What the eight placements occupy, in the set's coordinates (x, y, z from-to).
struct Region {
    double from[3], to[3];
};
constexpr Region placements[8] = {
    {{-5, -2, -15}, {5, 0, 15}},         // platform
    {{4.25, 0, 5}, {4.75, 8, 11}},       // right panel
    {{-4.75, 0, 5}, {-4.25, 8, 11}},     // left panel
    {{-4.25, 0, 5}, {4.25, 4, 7}},       // near counter
    {{-5, 8, 4.5}, {5, 8.25, 11.5}},     // near roof
    {{-5.1, 0, -13.4}, {5.1, 4, -11.4}}, // far counter
    {{-5, 0, -14.6}, {5, 8, -13.4}},     // back panel
    {{-5, 8, -15.6}, {5, 8.25, -11.4}},  // far roof
};

bool inside(const FeedbackPolygon& polygon, const Region& r) {
    for (const Point3& p : polygon.vertices) {
        for (int a = 0; a < 3; ++a) {
            if (p[a] < r.from[a] - 1e-3 || p[a] > r.to[a] + 1e-3) {
                return false;
            }
        }
    }
    return true;
}

TEST(BoothSet, PlacesEightBoxesWhereTheBoothNeedsThem) {
    BoothSet set;
    const auto polygons = capturePolygons([&] { set.draw(); });
    EXPECT_DOUBLE_EQ(quadCount(polygons), quadsPerSet);
    std::array<std::vector<FeedbackPolygon>, 8> byPlacement;
    int stray = 0;
    for (const FeedbackPolygon& polygon : polygons) {
        bool placed = false;
        for (int k = 0; k < 8; ++k) {
            if (inside(polygon, placements[k])) {
                byPlacement[k].push_back(polygon);
                placed = true;
            }
        }
        stray += placed ? 0 : 1;
    }
    EXPECT_EQ(stray, 0) << "polygons outside every placement";
    // Each placement is filled out to its bounds.
    for (int k = 0; k < 8; ++k) {
        for (int a = 0; a < 3; ++a) {
            const auto range = coordinateRange(byPlacement[k], a);
            EXPECT_NEAR(range[0], placements[k].from[a], 1e-3) << "placement " << k + 1;
            EXPECT_NEAR(range[1], placements[k].to[a], 1e-3) << "placement " << k + 1;
        }
    }
}

TEST(DrawBooths, DrawsTheSetThreeTimesSideBySideLiftedByAFifth) {
    BoothSet set;
    const auto polygons = capturePolygons([&] { drawBooths(set); }, 24'000'000);
    const double centres[3] = {-40, 0, 40};
    for (const double centre : centres) {
        std::vector<FeedbackPolygon> booth;
        for (const FeedbackPolygon& polygon : polygons) {
            if (std::abs(polygon.vertices[0][0] - centre) < 10) {
                booth.push_back(polygon);
            }
        }
        SCOPED_TRACE(centre);
        EXPECT_DOUBLE_EQ(quadCount(booth), quadsPerSet);
        const auto x = coordinateRange(booth, 0);
        const auto y = coordinateRange(booth, 1);
        EXPECT_NEAR(x[0], centre - 5.1, 1e-3);
        EXPECT_NEAR(x[1], centre + 5.1, 1e-3);
        EXPECT_NEAR(y[0], -1.8, 1e-3);
        EXPECT_NEAR(y[1], 8.45, 1e-3);
    }
    EXPECT_DOUBLE_EQ(quadCount(polygons), 3 * quadsPerSet);
}

TEST(BoothSet, DrawBuildsTheListsOnceAndBuildListsRebuilds) {
    BoothSet set;
    set.draw();
    // Empty the wall lists: a draw that recompiled them would bring the walls back.
    for (const BoothBox* box :
         {set.platform.get(), set.panel.get(), set.counter.get(), set.roof.get()}) {
        glNewList(box->listName, GL_COMPILE);
        glEndList();
    }
    EXPECT_TRUE(capturePolygons([&] { set.draw(); }).empty());
    set.buildLists();
    EXPECT_DOUBLE_EQ(quadCount(capturePolygons([&] { set.draw(); })), quadsPerSet);
}

} // namespace
