// The gallery's gun: a side-by-side double-barrelled shotgun with a walnut stock, a few
// thousand triangles, its barrels along +z with the muzzles at the +z end, held as at the hip
// with the muzzles dipping a few degrees. The mesh is in metres with its bounding box centred
// on the origin; its longest extent is along z, so fitting it into the unit cube puts the
// muzzles at z = 1.
#pragma once

#include "mesh.h"

struct GunModel {
    Mesh mesh;
    Vec3 muzzles; // the middle between the two muzzles, on the barrels' axis, in the mesh
};

GunModel buildShotgun();

// Height of the muzzles above the middle of the mesh's bounding box, as a fraction of the
// box's length along z; negative below the middle.
double muzzleHeight(const GunModel& gun);
