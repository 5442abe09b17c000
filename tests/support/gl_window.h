// One real freeglut window on the test display, shared by every GL test of a process.
#pragma once

// Opens the window on first use (640 x 480, RGB, double-buffered, depth) and makes its
// context current. The display is the test fixture's Xvfb when it runs, else $DISPLAY.
void ensureGlWindow();

// Destroys the window and its context, so that the driver releases what it holds before the
// leak check at exit.
void closeGlWindow();

// Reads the back buffer's pixel at (x, y), window coordinates from the lower left, as RGB.
struct Rgb {
    unsigned char r, g, b;
};
Rgb readPixel(int x, int y);
