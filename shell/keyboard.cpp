#include "keyboard.h"

#include "app_state.h"
#include "shooting.h"

#include <GL/glut.h>
#include <cctype>
#include <cstdlib>

namespace {

constexpr unsigned char escapeKey = 27;

// The spot keys act only while the spot light is on; steps are added in double.
void adjustSpot(float& value, double step) {
    if (spotLightOn) {
        value = static_cast<float>(value + step);
    }
}

} // namespace

void onKeyboard(unsigned char key, int, int) {
    if (key == escapeKey) {
        std::exit(0);
    }
    switch (std::tolower(key)) {
    case '0':
        reloadShotgun();
        break;
    case '1':
        fireShot();
        break;
    case 'a':
        adjustSpot(spotDirection[2], 0.1); // the beam tilts further down
        break;
    case 'q':
        adjustSpot(spotDirection[2], -0.1);
        break;
    case 'c':
        adjustSpot(spotCutoff, 1); // a wider cone
        break;
    case 'x':
        adjustSpot(spotCutoff, -1);
        break;
    case 'r':
        spotLightOn = !spotLightOn;
        break;
    case 's':
        overheadLightOn = !overheadLightOn;
        break;
    case 'z':
        toggleShotgun();
        break;
    default:
        break;
    }
    glutPostRedisplay();
}
