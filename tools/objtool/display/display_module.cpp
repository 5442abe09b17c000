// The display module's one exported name: everything else in it, the static libraries' copies
// included, stays its own.
#include "objtool_display.h"
#include "offscreen_render.h"
#include "view_window.h"

extern "C" __attribute__((visibility("default")))
const ObjtoolDisplay objtoolDisplay = {viewPicture, renderPicture};
