// objtool view and render: the model changed by the convert options, as convert changes it,
// then shown in a window or drawn into a PNG file by the display module.
#pragma once

#include "gallery/glm.h"
#include "objtool_options.h"

// The view and render commands on the model read from command.input: 0 on success, 1 with a
// message on standard error otherwise, also for a model without triangles; render never
// writes over a file that report names. Before drawing, the model gets facet normals, and
// vertex normals made with an angle of 90 degrees unless the options made some or the file
// has them.
int viewModel(ObjModel* model, const Command& command);
int renderModel(ObjModel* model, const ObjReadReport& report, const Command& command);
