// Face lines: their vertices in the four forms, and face indices turned into array indices.
// Both reader passes read faces through here, so they always agree on them.
#pragma once

#include "gallery/glm.h"
#include "glm_scanner.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace objreader {

struct Reading;

// One face vertex as written: its indices (0 for those that the face's form lacks), the
// physical line it stands on and its text, for messages.
struct Corner {
    std::int32_t vertex;
    std::int32_t texcoord;
    std::int32_t normal;
    unsigned line;
    std::string_view text;
};

// A face's vertices, in file order. The first one fixes the form of them all: "v", "v/t",
// "v//n" or "v/t/n".
struct Face {
    bool hasTexcoord = false;
    bool hasNormal = false;
    std::vector<Corner> corners;
};

// The number of vertices of a face whose "f" was just read, for the pass that counts: the
// words up to the end of its line or the first that does not begin like an index, as
// readFace reads them.
std::size_t countVertices(Scanner& scanner);

// Reads the vertices of a face whose "f" was just read, up to the end of its line or the
// first word that does not begin like an index. Returns false after recording a failure: a
// face of fewer than three vertices, or a vertex that is malformed or differs in form from
// the first. The corners' texts last until the scanner moves on to the next line.
bool readFace(Reading& reading, Scanner& scanner, Face* face);

// Turns the face's indices into 1-based array indices: negative ones count back from the
// items defined before the face. Returns false after recording a failure for an index that
// names no item, quoting the index as written.
bool resolveFace(Reading& reading, Face* face);

// Fills a triangle of a face fanned out from its first corner: corners 0, 1, 2 from first,
// previous and next.
inline void fillTriangle(ObjTriangle& triangle, const Corner& first, const Corner& previous,
                         const Corner& next) {
    const Corner* fan[3] = {&first, &previous, &next};
    for (int i = 0; i < 3; i++) {
        triangle.vertexidx[i] = fan[i]->vertex;
        triangle.normalidx[i] = fan[i]->normal;
        triangle.texcoordidx[i] = fan[i]->texcoord;
    }
    triangle.facetnormidx = 0;
}

// For the filling pass, the quick path of faces as nearly all files write them: reads the
// face whose "f" the scanner stands on and stores its triangles when it is written plainly
// (each vertex in the face's form, its indices an optional minus sign and at most 9 digits,
// all naming an item, and nothing else up to the line break) and fits the room that the
// counting pass left; the scanner then stands at the next line. Returns false for any other
// face, having stored nothing that counts: readFace, resolveFace and the failures they
// report take it.
bool storePlainFace(Reading& reading, Scanner& scanner);

} // namespace objreader
