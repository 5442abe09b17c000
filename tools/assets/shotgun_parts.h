// The parts of the double-barrelled shotgun, in centimetres: the barrels run along +z with
// the muzzles at z = 114, the butt ends at z = 0, y points up and the rib lies on top.
#pragma once

#include "mesh.h"

// The middle between the two muzzles, on the barrels' axis.
inline constexpr Vec3 muzzlesMiddle{0, 0, 114};

// Both barrels with their bores, the ribs between them and the bead sight.
void addBarrels(Mesh& mesh);
// The action that joins barrels and stock, its top lever and the bar under the barrels.
void addAction(Mesh& mesh);
// The trigger guard and the two triggers under the action.
void addTriggers(Mesh& mesh);
// The straight-hand stock with its butt pad, and the fore-end under the barrels.
void addWoodwork(Mesh& mesh);
