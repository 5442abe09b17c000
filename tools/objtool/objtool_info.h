// objtool info: what a model holds, for people who look at a file before using it.
#pragma once

#include "gallery/glm.h"

#include <cstdio>

// Prints the counts, the groups (in the order the file names them) with their triangles and
// materials, the bounding box and size of the finite vertices and how many are not finite,
// and the kinds of statement in the model's files that convert does not write (with
// --materials) to out.
void printModelInfo(const ObjModel* model, std::FILE* out);
