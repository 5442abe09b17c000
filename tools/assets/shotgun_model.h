// The gallery's gun: a side-by-side double-barrelled shotgun with a walnut stock, a few
// thousand triangles, its barrels along +z with the muzzles at the +z end. The mesh is in
// metres with its bounding box centred on the origin; its longest extent is along z, so
// fitting it into the unit cube puts the muzzles at z = 1.
#pragma once

#include "mesh.h"

Mesh buildShotgun();
