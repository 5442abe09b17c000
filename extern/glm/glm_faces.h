// Face lines: the four vertex forms, reading a face's vertices and turning face indices into
// array indices. Both reader passes read faces through here, so they always agree on them.
#pragma once

#include "glm_reader.h"
#include "glm_scanner.h"

#include <cstdint>

// The form of a face, fixed by its first vertex word for all its vertices.
enum class ObjFaceForm {
    VertexNormal,        // v//n
    VertexTextureNormal, // v/t/n
    VertexTexture,       // v/t
    Vertex,              // v
};

// One face vertex as written. A value that a read did not convert keeps the one before it,
// 0 at the start of each face.
struct ObjCorner {
    std::int32_t vertex = 0;
    std::int32_t texcoord = 0;
    std::int32_t normal = 0;
};

bool glmFormHasTexcoord(ObjFaceForm form);
bool glmFormHasNormal(ObjFaceForm form);

// Reads the vertices of a face whose "f" was just read, calling onCorner(form, corner) for
// each, in file order; onCorner returns false to stop after a failure. A face ends at the
// first read that converts no number. A face of fewer than three vertices is a failure.
template <class OnCorner>
bool glmReadFace(ObjReading& reading, ObjScanner& scanner, OnCorner&& onCorner);

// Reads one vertex with the form's pattern into corner; false when no number converted.
bool glmReadCorner(ObjScanner& scanner, ObjFaceForm form, ObjCorner* corner);
// Picks the form from the first vertex word and converts that word into corner.
ObjFaceForm glmFaceForm(std::string_view word, ObjCorner* corner);
// Records the failure for a face of fewer than three vertices; returns false.
bool glmFailShortFace(ObjReading& reading, unsigned line);

template <class OnCorner>
bool glmReadFace(ObjReading& reading, ObjScanner& scanner, OnCorner&& onCorner) {
    const unsigned line = scanner.line();
    std::string_view first;
    if (!scanner.word(&first)) {
        return glmFailShortFace(reading, line);
    }
    ObjCorner corner;
    const ObjFaceForm form = glmFaceForm(first, &corner);
    if (!onCorner(form, corner)) {
        return false;
    }
    std::uint64_t count = 1;
    for (; glmReadCorner(scanner, form, &corner); ++count) {
        if (!onCorner(form, corner)) {
            return false;
        }
    }
    return count >= 3 || glmFailShortFace(reading, line);
}

// What a face index refers to, for messages.
struct ObjIndexKind {
    const char* name;   // "vertex"
    const char* plural; // "vertices"
};

// Turns a face index into a 1-based array index. Negative indices count back from
// definedBefore, the items defined before the face; total is the items in the whole file.
// An index that names no item is a failure naming the kind, the line and the index.
bool glmResolveIndex(ObjReading& reading, const ObjIndexKind& kind, unsigned line,
                     std::int32_t* index, std::uint32_t definedBefore, std::uint32_t total);
