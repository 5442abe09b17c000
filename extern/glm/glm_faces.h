// Face lines: their vertices in the four forms, and face indices turned into array indices.
// Both reader passes read faces through here, so they always agree on them.
#pragma once

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

} // namespace objreader
