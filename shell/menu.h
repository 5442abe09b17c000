// The pop-up menu on the right mouse button: views, the reset and the end of the program.
#pragma once

enum MenuEntry {
    menuWalkThrough = 1,
    menuPanorama = 2,
    menuFiringPosition1 = 3,
    menuFiringPosition2 = 4,
    menuFiringPosition3 = 5,
    menuReset = 6,
    menuQuit = 7,
};

// Builds the seven-entry menu and attaches it to the right mouse button.
void createMenu();

void onMenu(int value);
