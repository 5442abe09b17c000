// Wavefront OBJ and MTL text for a mesh, in the plain subset the gallery's reader takes:
// "v" lines, "g" and "usemtl" before each group's faces, and "f" lines of vertex indices;
// materials with "newmtl", "Ka", "Kd", "Ks" and "Ns".
#pragma once

#include "mesh.h"

#include <string>

// `materialFile` is the name the OBJ text gives on its "mtllib" line.
std::string objText(const Mesh& mesh, const std::string& materialFile);
std::string mtlText(const Mesh& mesh);
