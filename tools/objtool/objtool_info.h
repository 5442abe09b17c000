// objtool info: what a model holds, for people who look at a file before using it.
#pragma once

#include "gallery/glm.h"

#include <cstdio>

// Prints to out the counts, the material libraries (and why one could not be read), the
// groups in the order the file names them, each with its triangles and material, the bounding
// box and size of the finite vertices and how many are not finite, and the kinds of statement
// that the reader skipped, which convert does not write, as report says.
void printModelInfo(const ObjModel* model, const ObjReadReport& report, std::FILE* out);
