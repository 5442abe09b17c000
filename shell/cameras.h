// The three camera set-ups and the projection. Each set-up multiplies its view transform
// onto the current modelview matrix; they are told apart by their addresses.
#pragma once

// The height of the eye in the firing view, where the aim also starts.
inline constexpr double firingEyeHeight = 5.5;

void firingCamera();
void panoramicCamera();
void walkCamera();

void onReshape(int width, int height);
