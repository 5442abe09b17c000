#include "shooting.h"

#include "app_state.h"
#include "scene_objects.h"

void fireShot() {
    if (!shotgun.fire()) {
        return;
    }
    const float aimX = crosshair.x;
    const float aimY = crosshair.y;
    rabbit.testHit(rabbitX, boardY, aimX, aimY);
    for (const float boardX : paperBoardX) {
        paperTarget.testHit(boardX, boardY, aimX, aimY);
    }
    gopher.testHit(gopherX, gopherY, aimX, aimY);
}

void reloadShotgun() {
    shotgun.cartridges = 5;
}

void toggleShotgun() {
    if (shotgun.isShown()) {
        shotgun.hide();
    } else {
        shotgun.show();
    }
}

void takeGunTo(double x) {
    shotgun.show();
    shotgun.setPosition(static_cast<float>(x), gunHeight, gunDepth);
}

void clearHitCounters() {
    rabbit.hits = 0;
    gopher.hits = 0;
    paperTarget.hits = 0;
}
