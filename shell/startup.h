// Start-up: the window with its callbacks and menu, and the fixed OpenGL state.
#pragma once

// Initialises GLUT, opens the window "Hlavni okno", registers the callbacks and builds the menu.
void openWindow(int* argc, char** argv);

// Sets the OpenGL state that stays fixed for the whole run, loads the textures and gives the
// animation its start values. Needs the window's context.
void initGraphics();
