// The display module (objtool_display.h), loaded when view or render needs it: from the
// installed library folder (lib/gallery/objtool beside the program's bin/), or from beside
// the program in a build tree.
#pragma once

#include "objtool_display.h"

#include <string>

// The module's entry points, or null with a message in *error when it cannot be loaded.
const ObjtoolDisplay* loadDisplayModule(std::string* error);
