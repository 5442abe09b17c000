#include "shotgun_parts.h"

#include "rings.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int roundSegments = 32;

constexpr double breechZ = 44;
constexpr double muzzleZ = muzzlesMiddle.z;
constexpr double boreBottomZ = 102;
constexpr double boreRadius = 0.93; // twelve bore

double along(double z) {
    return (z - breechZ) / (muzzleZ - breechZ);
}

// The barrels taper toward the muzzles and converge until they touch there.
double barrelRadius(double z) {
    return 1.45 + (1.20 - 1.45) * along(z);
}
double barrelCentreX(double z) {
    return 1.45 + (1.22 - 1.45) * along(z);
}

Ring barrelRing(double side, double z, double radius) {
    return sectionRing({side * barrelCentreX(z), 0, radius, radius}, z, roundSegments);
}

// A box across the z axis whose top and bottom may slope along z.
std::vector<Ring> box(double halfWidth, double z0, double bottom0, double top0, double z1,
                      double bottom1, double top1) {
    const auto ring = [halfWidth](double z, double bottom, double top) {
        return outlineRing(
            {{-halfWidth, bottom}, {halfWidth, bottom}, {halfWidth, top}, {-halfWidth, top}}, z);
    };
    return {ring(z0, bottom0, top0), ring(z1, bottom1, top1)};
}

} // namespace

void addBarrels(Mesh& mesh) {
    FaceGroup& steel = addGroup(mesh, "barrels", "blued_steel");
    FaceGroup& bores = addGroup(mesh, "bores", "bore");
    for (const double side : {-1.0, 1.0}) {
        std::vector<Ring> outside;
        constexpr int stations = 8;
        for (int i = 0; i < stations; ++i) {
            const double z = breechZ + (muzzleZ - breechZ) * i / (stations - 1);
            outside.push_back(barrelRing(side, z, barrelRadius(z)));
        }
        addSweep(mesh, steel, outside, Facing::Outward);
        addCap(mesh, steel, outside.front(), false);
        const Ring muzzleBore = barrelRing(side, muzzleZ, boreRadius);
        addAnnulus(mesh, steel, outside.back(), muzzleBore);
        const Ring boreBottom = barrelRing(side, boreBottomZ, boreRadius);
        addSweep(mesh, bores, {boreBottom, muzzleBore}, Facing::Inward);
        addCap(mesh, bores, boreBottom, true);
    }
    // The top rib that the eye runs along, and the bottom rib, filling the valleys.
    const double ribStart = breechZ + 1;
    const double ribEnd = muzzleZ - 0.3;
    addFlatSweep(mesh, steel,
                 box(0.42, ribStart, 0.2, barrelRadius(ribStart) + 0.1, ribEnd, 0.2,
                     barrelRadius(ribEnd) + 0.1));
    addFlatSweep(mesh, steel,
                 box(0.42, ribStart, -barrelRadius(ribStart) + 0.05, -0.2, ribEnd,
                     -barrelRadius(ribEnd) + 0.05, -0.2));

    FaceGroup& brass = addGroup(mesh, "bead", "brass");
    const double beadZ = muzzleZ - 1.2;
    addSphere(mesh, brass, {0, barrelRadius(beadZ) + 0.28, beadZ}, 0.22, 12, 8);
}

void addAction(Mesh& mesh) {
    FaceGroup& steel = addGroup(mesh, "action", "steel");
    // The body: an eight-sided prism with bevelled corners, from the wrist to the breech.
    const std::vector<Vec2> outline = {{-2.55, -2.3}, {-1.75, -3.1}, {1.75, -3.1}, {2.55, -2.3},
                                       {2.55, 1.0},   {1.9, 1.6},    {-1.9, 1.6},  {-2.55, 1.0}};
    addFlatSweep(mesh, steel, {outlineRing(outline, 31), outlineRing(outline, breechZ + 0.6)});
    // The bar under the barrels that the fore-end closes against.
    addFlatSweep(mesh, steel, box(2.3, breechZ, -2.7, -1.0, 50, -2.5, -1.0));
    // The top lever, swung a little to the right as it rests.
    addFlatSweep(mesh, steel,
                 {outlineRing({{-0.4, 1.2}, {1.9, 1.2}, {1.9, 1.75}, {-0.4, 1.75}}, 30),
                  outlineRing({{-0.6, 1.3}, {1.0, 1.3}, {1.0, 1.85}, {-0.6, 1.85}}, 34.5)});
}

void addTriggers(Mesh& mesh) {
    FaceGroup& steel = addGroup(mesh, "trigger_guard", "blued_steel");
    // Half an ellipse under the action, its ends sunk into the action and the wrist.
    constexpr int stations = 28;
    std::vector<Ring> guard;
    for (int i = 0; i < stations; ++i) {
        const double a = -0.15 + (std::numbers::pi + 0.35) * i / (stations - 1);
        const Vec3 centre{0, -3.0 - 2.6 * std::sin(a), 31 + 5.2 * std::cos(a)};
        const Vec3 tangent{0, -2.6 * std::cos(a), -5.2 * std::sin(a)};
        guard.push_back(ringAcross(centre, tangent, 0.45, 0.16, 2.5, 12));
    }
    addClosedSweep(mesh, steel, guard);

    FaceGroup& blades = addGroup(mesh, "triggers", "steel");
    for (const double z : {34.0, 30.8}) {
        // Each blade hangs from the action and curves back toward the hand.
        std::vector<Ring> blade;
        for (int i = 0; i <= 6; ++i) {
            const double s = i / 6.0;
            const Vec3 centre{0, -2.8 - 1.9 * s, z - 1.1 * s * s};
            const Vec3 tangent{0, -1.9, -2.2 * s};
            blade.push_back(ringAcross(centre, tangent, 0.28, 0.14, 4, 8));
        }
        addClosedSweep(mesh, blades, blade);
    }
}

void addWoodwork(Mesh& mesh) {
    FaceGroup& stock = addGroup(mesh, "stock", "walnut");
    const std::vector<Key> top = {{1.6, -4.4}, {10, -3.3}, {20, -2.2}, {24, -1.3},
                                  {27, -0.3},  {30, 0.9},  {33, 1.3}};
    const std::vector<Key> bottom = {{1.6, -16.6}, {10, -12.2}, {20, -7.2}, {24, -5.0},
                                     {27, -3.9},   {30, -3.2},  {33, -3.0}};
    const std::vector<Key> halfWidth = {{1.6, 2.15}, {10, 2.05}, {20, 1.85}, {24, 1.7},
                                        {27, 1.65},  {30, 1.9},  {33, 2.2}};
    const auto stockSection = [&](double z) {
        const double t = smoothCurve(top, z);
        const double b = smoothCurve(bottom, z);
        return Section{0, (t + b) / 2, smoothCurve(halfWidth, z), (t - b) / 2, 2.6, 0.25};
    };
    constexpr double buttZ = 1.6;
    constexpr double frontZ = 33;
    constexpr int stockStations = 28;
    std::vector<Ring> rings;
    for (int i = 0; i < stockStations; ++i) {
        const double z = buttZ + (frontZ - buttZ) * i / (stockStations - 1);
        rings.push_back(sectionRing(stockSection(z), z, roundSegments));
    }
    addClosedSweep(mesh, stock, rings);

    FaceGroup& pad = addGroup(mesh, "butt_pad", "rubber");
    addClosedSweep(mesh, pad, {sectionRing(stockSection(buttZ), 0, roundSegments), rings.front()});

    FaceGroup& forend = addGroup(mesh, "forend", "walnut");
    const std::vector<Key> forendBottom = {
        {50, -2.5}, {53, -2.9}, {70, -2.8}, {74.5, -2.5}, {76, -1.8}};
    const std::vector<Key> forendWidth = {{50, 2.3}, {53, 2.35}, {70, 2.2}, {74.5, 1.9}, {76, 1.2}};
    constexpr double forendTop = -0.6;
    std::vector<Ring> forendRings;
    for (int i = 0; i <= 20; ++i) {
        const double z = 50 + 26.0 * i / 20;
        const double b = smoothCurve(forendBottom, z);
        forendRings.push_back(sectionRing(
            {0, (forendTop + b) / 2, smoothCurve(forendWidth, z), (forendTop - b) / 2, 2.3, 0.2}, z,
            roundSegments));
    }
    addClosedSweep(mesh, forend, forendRings);
}
