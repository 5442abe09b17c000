// Keyboard commands: quit, fire, reload, show the gun, and the two lights.
#pragma once

void onKeyboard(unsigned char key, int x, int y);
