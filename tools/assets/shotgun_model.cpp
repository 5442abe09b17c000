#include "shotgun_model.h"

#include "shotgun_parts.h"

#include <algorithm>

namespace {

// The gallery shows the gun from an eye above its middle, with the explosion's square level
// with that middle just ahead of the muzzles. Level barrels run above the middle (the stock
// drops below them) and hide the square; dipped this far, the muzzles sit a fortieth of the
// gun's length below it and the square shows above and around them.
constexpr double muzzleDip = 6; // degrees

constexpr double metresPerCentimetre = 0.01;

std::vector<Material> gunMaterials() {
    return {
        {"blued_steel", {0.10, 0.10, 0.12}, {0.22, 0.23, 0.27}, {0.70, 0.70, 0.75}, 500},
        {"bore", {0.0, 0.0, 0.0}, {0.02, 0.02, 0.02}, {0.10, 0.10, 0.10}, 100},
        {"brass", {0.25, 0.20, 0.08}, {0.78, 0.60, 0.25}, {0.90, 0.80, 0.50}, 500},
        {"steel", {0.20, 0.20, 0.20}, {0.50, 0.50, 0.52}, {0.85, 0.85, 0.85}, 700},
        {"rubber", {0.04, 0.03, 0.03}, {0.09, 0.07, 0.06}, {0.05, 0.05, 0.05}, 50},
        {"walnut", {0.22, 0.12, 0.05}, {0.45, 0.24, 0.10}, {0.25, 0.20, 0.15}, 150},
    };
}

} // namespace

GunModel buildShotgun() {
    GunModel gun;
    Mesh& mesh = gun.mesh;
    mesh.materials = gunMaterials();
    addWoodwork(mesh);
    addAction(mesh);
    addTriggers(mesh);
    addBarrels(mesh);
    for (Vec3& v : mesh.vertices) {
        v = v * metresPerCentimetre;
    }
    turnAboutX(mesh, muzzleDip);
    const Vec3 shift = centre(mesh);
    gun.muzzles = turnedAboutX(muzzlesMiddle * metresPerCentimetre, muzzleDip) - shift;
    return gun;
}

double muzzleHeight(const GunModel& gun) {
    double low = 0;
    double high = 0;
    for (const Vec3& v : gun.mesh.vertices) {
        low = std::min(low, v.z);
        high = std::max(high, v.z);
    }
    return gun.muzzles.y / (high - low);
}
