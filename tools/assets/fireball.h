// The explosion's ten frames: a fireball that flashes, swells and burns out on black. The
// frames are added onto the scene, so black shows nothing; every frame stays black along its
// border, or the square it is drawn on would show.
#pragma once

#include "picture.h"

constexpr int explosionFrameCount = 10;

// Black through deep red, orange and yellow to white: index 0 is black and brightness grows
// with the index, so an index can be read as the flame's heat.
Palette firePalette();

// Frame 0 to 9 as heat indices into firePalette, `size` pixels square, the ball bursting from
// muzzles that stand `muzzles` frame widths above the frame's middle (negative: below it).
IndexedPicture paintExplosionFrame(int frame, int size, double muzzles);
