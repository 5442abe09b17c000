// The three camera set-ups and the projection. Each set-up multiplies its view transform
// onto the current modelview matrix; they are told apart by their addresses.
#pragma once

void firingCamera();
void panoramicCamera();
void walkCamera();

void onReshape(int width, int height);
