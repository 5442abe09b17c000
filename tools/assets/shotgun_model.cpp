#include "shotgun_model.h"

#include "shotgun_parts.h"

namespace {

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

Mesh buildShotgun() {
    Mesh mesh;
    mesh.materials = gunMaterials();
    addWoodwork(mesh);
    addAction(mesh);
    addTriggers(mesh);
    addBarrels(mesh);
    for (Vec3& v : mesh.vertices) {
        v = v * 0.01; // centimetres to metres
    }
    centre(mesh);
    return mesh;
}
