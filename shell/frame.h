// One frame of the scene.
#pragma once

void onDisplay();

// Draws the scene under the current modelview matrix, which is the identity when the
// display callback calls it.
void drawScene();
