// Face lines in the second pass: their vertices in the four forms, face indices turned into
// array indices, and the triangles fanned out from the first vertex into the model.
#pragma once

#include "gallery/glm.h"
#include "glm_reader.h"
#include "glm_scanner.h"

#include <cstdint>

namespace objreader {

// Where one part's second pass puts what it reads, and how much room it has: the first pass
// counted the part exactly, so more than that means the file changed in between.
struct Filling {
    ObjModel* model;
    // Items defined so far in the file, which relative indices count back from, and the end
    // of the part's share of each array.
    std::uint64_t vertices, vertexEnd;
    std::uint64_t normals, normalEnd;
    std::uint64_t texcoords, texcoordEnd;
    std::uint64_t triangle, triangleEnd; // the next triangle's number
    // The next entry of the current group's face list, and the room left there.
    std::uint32_t* grouped;
    std::uint64_t groupRoom;
    Fault fault;

    bool changed() {
        fault = {Fault::Changed, 0, {}};
        return false;
    }
};

// Reads the face whose keyword the scanner has just read and stores its triangles; the
// scanner then stands at the next line. Returns false after recording a fault: a vertex that
// is malformed or differs in form from the first, a face of fewer than three vertices, an
// index that names no item (quoted as written), in this order of precedence.
bool storeFace(Filling& filling, Scanner& scanner);

} // namespace objreader
