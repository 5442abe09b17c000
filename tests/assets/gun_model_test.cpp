// The gun model: as the gallery's reader reads the committed file (quietly, a few thousand
// triangles, each part with its own material, a closed outward surface, barrels along +z and
// dipping toward the muzzles), and the generator's polygons, which the reader splits into fans.
#include "committed_gun.h"
#include "shotgun_model.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <numeric>
#include <vector>

namespace {

// Positions as the file gives them, exactly, so that coinciding vertices of separate faces
// (a cap and the side it closes) count as one point.
using PointKey = std::array<float, 3>;

PointKey keyOf(const ObjModel& m, std::int32_t index) {
    const float* v = m.vertices + 3 * index;
    return {v[0], v[1], v[2]};
}

// Lowest and highest z of the vertices of a group.
std::array<double, 2> zRange(const ObjModel& m, const ObjGroup& g) {
    std::array<double, 2> range = {1e9, -1e9};
    for (std::uint32_t i = 0; i < g.facecount; ++i) {
        for (const std::int32_t v : m.faces[g.faceidx[i]].vertexidx) {
            range[0] = std::min(range[0], vertex(m, v).z);
            range[1] = std::max(range[1], vertex(m, v).z);
        }
    }
    return range;
}

TEST(GunModel, ReadsQuietlyWithAFewThousandTriangles) {
    std::string printed;
    const ModelPtr model = readCommittedGun(&printed);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(printed, "") << "the reader warned";
    EXPECT_GE(model->facecount, 2000u);
    EXPECT_LE(model->facecount, 8000u);
}

// The reader that keeps every face's material reads the gun as the gallery always read it:
// one group per part in file order, each with its material and its run of triangles.
TEST(GunModel, ReadsPartByPartWithTheirMaterials) {
    const ModelPtr model = readCommittedGun();
    ASSERT_NE(model, nullptr);
    std::vector<const ObjGroup*> groups;
    for (const ObjGroup* g = model->grouplist; g != nullptr; g = g->next) {
        groups.insert(groups.begin(), g);
    }
    const std::pair<const char*, const char*> parts[] = {
        {"default", "default"}, {"stock", "walnut"},        {"butt_pad", "rubber"},
        {"forend", "walnut"},   {"action", "steel"},        {"trigger_guard", "blued_steel"},
        {"triggers", "steel"},  {"barrels", "blued_steel"}, {"bores", "bore"},
        {"bead", "brass"}};
    ASSERT_EQ(groups.size(), std::size(parts));
    ASSERT_EQ(model->materialcount, 7u);
    std::uint32_t next = 0;
    for (std::size_t i = 0; i < groups.size(); i++) {
        EXPECT_STREQ(groups[i]->name, parts[i].first);
        EXPECT_STREQ(model->materialtable[groups[i]->materialidx].name, parts[i].second);
        for (std::uint32_t k = 0; k < groups[i]->facecount; k++) {
            ASSERT_EQ(groups[i]->faceidx[k], next++) << parts[i].first;
        }
    }
    EXPECT_EQ(next, model->facecount);
    EXPECT_EQ(model->facecount, 5652u);
    EXPECT_EQ(model->vertexcount, 3454u);
}

TEST(GunModel, EveryPartHasItsOwnMaterial) {
    const ModelPtr model = readCommittedGun();
    ASSERT_NE(model, nullptr);
    for (const ObjGroup* g = model->grouplist; g != nullptr; g = g->next) {
        if (g->facecount > 0) {
            EXPECT_NE(g->materialidx, 0u) << "group \"" << g->name << "\" uses no material";
        }
    }
    const auto materialOf = [&](const char* group) -> const ObjMaterial* {
        const ObjGroup* g = findGroup(*model, group);
        return g == nullptr ? nullptr : &model->materialtable[g->materialidx];
    };
    for (const char* wooden : {"stock", "forend"}) {
        const ObjMaterial* wood = materialOf(wooden);
        ASSERT_NE(wood, nullptr) << wooden;
        EXPECT_GT(wood->diffusecolor[0], wood->diffusecolor[1]) << wooden << " is not brown";
        EXPECT_GT(wood->diffusecolor[1], wood->diffusecolor[2]) << wooden << " is not brown";
    }
    for (const char* metal : {"barrels", "action", "trigger_guard"}) {
        const ObjMaterial* steel = materialOf(metal);
        ASSERT_NE(steel, nullptr) << metal;
        EXPECT_GE(steel->specularcolor[0], 0.5f) << metal << " does not shine";
        EXPECT_GT(steel->specularexponent, 30.0f) << metal;
    }
}

TEST(GunModel, LiesAlongZCentredWithTheMuzzlesAtPlusZBelowTheMiddle) {
    const ModelPtr model = readCommittedGun();
    ASSERT_NE(model, nullptr);
    Vec3 low = vertex(*model, 1);
    Vec3 high = low;
    for (std::uint32_t i = 1; i <= model->vertexcount; ++i) {
        const Vec3 v = vertex(*model, static_cast<std::int32_t>(i));
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    // Centred, so that the reader's fitting (which measures |max| + |min|) fills the cube.
    EXPECT_NEAR(low.x + high.x, 0, 1e-4);
    EXPECT_NEAR(low.y + high.y, 0, 1e-4);
    EXPECT_NEAR(low.z + high.z, 0, 1e-4);
    const Vec3 size = high - low;
    EXPECT_GT(size.z, 3 * size.y) << "z is not clearly the longest axis";
    EXPECT_GT(size.z, 3 * size.x) << "z is not clearly the longest axis";

    const ObjGroup* bores = findGroup(*model, "bores");
    const ObjGroup* pad = findGroup(*model, "butt_pad");
    ASSERT_NE(bores, nullptr);
    ASSERT_NE(pad, nullptr);
    // The dipped muzzles' rims reach a little farther than the bores they surround.
    EXPECT_GT(zRange(*model, *bores)[1], high.z - size.z / 200) << "the bores do not open at +z";
    EXPECT_GT(zRange(*model, *bores)[0], high.z - size.z / 5) << "the bores are not at the +z end";
    EXPECT_LT(zRange(*model, *pad)[1], low.z + size.z / 20) << "the butt is not at the -z end";

    // Seen from above the gun's middle, level barrels (which run above it, since the stock
    // drops below them) hide what lies just ahead of the muzzles; dipped, the muzzles sit
    // below the middle, by more than a tenth of a unit in the gallery's 6-unit gun.
    const Vec3 muzzles = muzzlesOf(*model);
    EXPECT_NEAR(muzzles.x, 0, 1e-4) << "the muzzles are not side by side about the middle";
    EXPECT_LT(muzzles.y, -size.z / 60) << "the muzzles do not sit below the middle";
}

TEST(GunModel, SurfaceIsClosedAndEveryFaceTurnsOutward) {
    const ModelPtr model = readCommittedGun();
    ASSERT_NE(model, nullptr);
    std::map<PointKey, int> points;
    std::vector<int> pointOf(model->vertexcount + 1);
    for (std::uint32_t i = 1; i <= model->vertexcount; ++i) {
        const auto [it, added] = points.try_emplace(keyOf(*model, static_cast<std::int32_t>(i)),
                                                    static_cast<int>(points.size()));
        pointOf[i] = it->second;
    }
    // Every edge of a closed, consistently wound surface is crossed once in each direction.
    std::map<std::pair<int, int>, int> edges;
    std::vector<int> parent(points.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&parent](int p) {
        while (parent[p] != p) {
            p = parent[p] = parent[parent[p]];
        }
        return p;
    };
    for (std::uint32_t t = 0; t < model->facecount; ++t) {
        const std::int32_t* v = model->faces[t].vertexidx;
        for (int c = 0; c < 3; ++c) {
            const int a = pointOf[v[c]];
            const int b = pointOf[v[(c + 1) % 3]];
            ++edges[{a, b}];
            parent[root(a)] = root(b);
        }
    }
    int unmatched = 0;
    for (const auto& [edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        unmatched += back == edges.end() || back->second != count;
    }
    EXPECT_EQ(unmatched, 0) << "edges without a partner running the other way";

    // A closed piece whose faces turn outward encloses a positive volume.
    std::map<int, double> volume;
    for (std::uint32_t t = 0; t < model->facecount; ++t) {
        const std::int32_t* v = model->faces[t].vertexidx;
        const Vec3 p0 = vertex(*model, v[0]);
        volume[root(pointOf[v[0]])] +=
            dot(p0, cross(vertex(*model, v[1]), vertex(*model, v[2]))) / 6;
    }
    for (const auto& [piece, enclosed] : volume) {
        EXPECT_GT(enclosed, 0) << "a piece turned inside out";
    }
}

TEST(GunModel, EveryVertexIsUsedAndNoTriangleIsDegenerate) {
    const ModelPtr model = readCommittedGun();
    ASSERT_NE(model, nullptr);
    std::vector<bool> used(model->vertexcount + 1, false);
    for (std::uint32_t t = 0; t < model->facecount; ++t) {
        const std::int32_t* v = model->faces[t].vertexidx;
        for (int c = 0; c < 3; ++c) {
            ASSERT_GE(v[c], 1);
            ASSERT_LE(v[c], static_cast<std::int32_t>(model->vertexcount));
            used[static_cast<std::size_t>(v[c])] = true;
        }
        // Facet normals divide by this length: a zero would give no direction at all.
        const Vec3 p0 = vertex(*model, v[0]);
        const double area = length(cross(vertex(*model, v[1]) - p0, vertex(*model, v[2]) - p0));
        EXPECT_GT(area, 1e-10) << "triangle " << t;
    }
    EXPECT_EQ(std::count(used.begin() + 1, used.end(), false), 0) << "vertices no face uses";
}

TEST(GunModel, PolygonsAreFlatAndConvexSoTheirFansCoverThem) {
    const Mesh mesh = buildShotgun().mesh;
    std::map<std::size_t, int> sizes;
    for (const FaceGroup& group : mesh.groups) {
        for (const auto& face : group.faces) {
            ++sizes[face.size()];
            // Newell's normal: the polygon's mean plane, whatever its shape.
            Vec3 normal;
            for (std::size_t i = 0; i < face.size(); ++i) {
                const Vec3 a = mesh.vertices[static_cast<std::size_t>(face[i])];
                const Vec3 b = mesh.vertices[static_cast<std::size_t>(face[(i + 1) % face.size()])];
                normal = normal + cross(a, b);
            }
            normal = normalized(normal);
            const Vec3 first = mesh.vertices[static_cast<std::size_t>(face[0])];
            for (std::size_t i = 0; i < face.size(); ++i) {
                const Vec3 a = mesh.vertices[static_cast<std::size_t>(face[i])];
                const Vec3 b = mesh.vertices[static_cast<std::size_t>(face[(i + 1) % face.size()])];
                const Vec3 c = mesh.vertices[static_cast<std::size_t>(face[(i + 2) % face.size()])];
                EXPECT_GT(dot(cross(b - a, c - b), normal), 0)
                    << group.name << ": a polygon of " << face.size() << " turns back";
                if (face.size() > 4) {
                    EXPECT_NEAR(dot(a - first, normal), 0, 1e-9)
                        << group.name << ": a polygon of " << face.size() << " is not flat";
                }
            }
        }
    }
    EXPECT_GT(sizes[3], 0) << "no triangles";
    EXPECT_GT(sizes[4], 0) << "no quads";
    EXPECT_GT(sizes.rbegin()->first, 4u) << "no larger polygons";
}

} // namespace
