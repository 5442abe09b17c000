// The gun's model display: a Wavefront model read once, fitted into the cube from -1 to 1,
// given smooth normals and drawn with its own materials, without its state reaching the rest
// of the scene.
#pragma once

struct ObjModel;

// Draws the model held in `model`, first reading it from `path` while `model` is null. The
// caller owns the model read and releases it with glmDestroyModel. A file that cannot be read
// ends the process with the reader's message.
void drawModel(const char* path, ObjModel*& model);
