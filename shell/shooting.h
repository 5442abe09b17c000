// The shooting's share of the keys and the menu: the shot, reloading and the gun in hand.
#pragma once

// Fires the shotgun; only a shot that spent a cartridge is tested against the boards, at the
// crosshair's stored x and y and the targets' positions of this moment.
void fireShot();

// Five cartridges, whatever were left.
void reloadShotgun();

// Shows the gun if hidden, hides it if shown.
void toggleShotgun();

// Shows the gun at the firing position whose eye stands at x.
void takeGunTo(double x);

// Clears the three targets' hit counters.
void clearHitCounters();
