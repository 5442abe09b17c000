#include "mesh.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace {

using IndexRing = std::vector<int>;

IndexRing addRing(Mesh& mesh, const Ring& ring) {
    IndexRing indices;
    for (const Vec3& p : ring) {
        indices.push_back(static_cast<int>(mesh.vertices.size()));
        mesh.vertices.push_back(p);
    }
    return indices;
}

// The quads between two rings, `a` before `b` along the sweep.
void stitch(FaceGroup& group, const IndexRing& a, const IndexRing& b, Facing facing) {
    assert(a.size() == b.size() && a.size() >= 3 && "stitched rings need the same points");
    const std::size_t n = a.size();
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t k = (j + 1) % n;
        if (facing == Facing::Outward) {
            group.faces.push_back({a[j], a[k], b[k], b[j]});
        } else {
            group.faces.push_back({a[j], b[j], b[k], a[k]});
        }
    }
}

// Triangles from a ring to a single point; `apexAfter` when the point lies ahead of the ring.
void fan(FaceGroup& group, int apex, const IndexRing& ring, bool apexAfter) {
    const std::size_t n = ring.size();
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t k = (j + 1) % n;
        if (apexAfter) {
            group.faces.push_back({ring[j], ring[k], apex});
        } else {
            group.faces.push_back({apex, ring[k], ring[j]});
        }
    }
}

} // namespace

FaceGroup& addGroup(Mesh& mesh, std::string name, std::string material) {
    mesh.groups.push_back({std::move(name), std::move(material), {}});
    return mesh.groups.back();
}

void addCap(Mesh& mesh, FaceGroup& group, const Ring& ring, bool facingAlong) {
    IndexRing indices = addRing(mesh, ring);
    if (!facingAlong) {
        std::reverse(indices.begin(), indices.end());
    }
    group.faces.push_back(std::move(indices));
}

void addSweep(Mesh& mesh, FaceGroup& group, const std::vector<Ring>& rings, Facing facing) {
    assert(rings.size() >= 2 && "a sweep needs two rings at least");
    IndexRing previous = addRing(mesh, rings.front());
    for (std::size_t i = 1; i < rings.size(); ++i) {
        IndexRing next = addRing(mesh, rings[i]);
        stitch(group, previous, next, facing);
        previous = std::move(next);
    }
}

void addClosedSweep(Mesh& mesh, FaceGroup& group, const std::vector<Ring>& rings) {
    addSweep(mesh, group, rings, Facing::Outward);
    addCap(mesh, group, rings.front(), false);
    addCap(mesh, group, rings.back(), true);
}

void addFlatSweep(Mesh& mesh, FaceGroup& group, const std::vector<Ring>& rings) {
    assert(rings.size() >= 2 && "a sweep needs two rings at least");
    for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
        const Ring& a = rings[i];
        const Ring& b = rings[i + 1];
        for (std::size_t j = 0; j < a.size(); ++j) {
            const std::size_t k = (j + 1) % a.size();
            addCap(mesh, group, {a[j], a[k], b[k], b[j]}, true);
        }
    }
    addCap(mesh, group, rings.front(), false);
    addCap(mesh, group, rings.back(), true);
}

void addAnnulus(Mesh& mesh, FaceGroup& group, const Ring& outer, const Ring& inner) {
    // Two statements: the order of arguments' evaluation, and so the vertex numbering, would
    // differ from one compiler to the next.
    const IndexRing outside = addRing(mesh, outer);
    const IndexRing inside = addRing(mesh, inner);
    stitch(group, outside, inside, Facing::Outward);
}

void addSphere(Mesh& mesh, FaceGroup& group, Vec3 centre, double radius, int segments, int stacks) {
    assert(segments >= 3 && stacks >= 2 && "a sphere needs three segments and two stacks");
    const int south = static_cast<int>(mesh.vertices.size());
    mesh.vertices.push_back(centre + Vec3{0, 0, -radius});
    IndexRing previous;
    for (int i = 1; i < stacks; ++i) {
        const double polar = std::numbers::pi * i / stacks;
        Ring ring;
        for (int j = 0; j < segments; ++j) {
            const double a = 2 * std::numbers::pi * j / segments;
            ring.push_back(centre + Vec3{std::cos(a) * std::sin(polar),
                                         std::sin(a) * std::sin(polar), -std::cos(polar)} *
                                        radius);
        }
        IndexRing next = addRing(mesh, ring);
        if (previous.empty()) {
            fan(group, south, next, false);
        } else {
            stitch(group, previous, next, Facing::Outward);
        }
        previous = std::move(next);
    }
    const int north = static_cast<int>(mesh.vertices.size());
    mesh.vertices.push_back(centre + Vec3{0, 0, radius});
    fan(group, north, previous, true);
}

void turnAboutX(Mesh& mesh, double degrees) {
    for (Vec3& v : mesh.vertices) {
        v = turnedAboutX(v, degrees);
    }
}

Vec3 centre(Mesh& mesh) {
    if (mesh.vertices.empty()) {
        return {};
    }
    Vec3 low = mesh.vertices.front();
    Vec3 high = low;
    for (const Vec3& v : mesh.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    const Vec3 middle = (low + high) * 0.5;
    for (Vec3& v : mesh.vertices) {
        v = v - middle;
    }
    return middle;
}

int triangleCount(const Mesh& mesh) {
    int count = 0;
    for (const FaceGroup& group : mesh.groups) {
        for (const auto& face : group.faces) {
            count += static_cast<int>(face.size()) - 2;
        }
    }
    return count;
}
