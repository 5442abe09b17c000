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

constexpr bool glmFormHasTexcoord(ObjFaceForm form) {
    return form == ObjFaceForm::VertexTextureNormal || form == ObjFaceForm::VertexTexture;
}

constexpr bool glmFormHasNormal(ObjFaceForm form) {
    return form == ObjFaceForm::VertexNormal || form == ObjFaceForm::VertexTextureNormal;
}

// Picks the form from the first vertex word and converts that word into corner.
ObjFaceForm glmFaceForm(std::string_view word, ObjCorner* corner);
// Records the failure for a face of fewer than three vertices; returns false.
bool glmFailShortFace(ObjReading& reading, unsigned line);

// Matches the form's pattern like scanf: "%d//%d", "%d/%d/%d", "%d/%d" or "%d". Returns how
// many numbers matched; a value that did not convert keeps what it held. Without convert the
// numbers are only consumed, for the pass that counts.
template <ObjFaceForm form, bool convert = true>
int glmReadPattern(ObjScanner& scanner, ObjCorner* corner) {
    const auto number = [&scanner](std::int32_t* value) {
        if constexpr (convert) {
            return scanner.readInt(value);
        } else {
            return scanner.skipInt();
        }
    };
    if (!number(&corner->vertex)) {
        return 0;
    }
    if constexpr (form == ObjFaceForm::VertexNormal) {
        if (!scanner.literal('/') || !scanner.literal('/') || !number(&corner->normal)) {
            return 1;
        }
        return 2;
    } else if constexpr (form != ObjFaceForm::Vertex) {
        if (!scanner.literal('/') || !number(&corner->texcoord)) {
            return 1;
        }
        if constexpr (form == ObjFaceForm::VertexTextureNormal) {
            if (!scanner.literal('/') || !number(&corner->normal)) {
                return 2;
            }
            return 3;
        }
        return 2;
    }
    return 1;
}

// The vertices after the first, each read with the form's pattern until one converts
// nothing.
template <bool convert, ObjFaceForm form, class OnCorner>
bool glmReadMoreCorners(ObjReading& reading, ObjScanner& scanner, ObjCorner corner, unsigned line,
                        OnCorner& onCorner) {
    std::uint64_t count = 1;
    for (; glmReadPattern<form, convert>(scanner, &corner) > 0; ++count) {
        if (!onCorner(form, corner)) {
            return false;
        }
    }
    return count >= 3 || glmFailShortFace(reading, line);
}

// Reads the vertices of a face whose "f" was just read, calling onCorner(form, corner) for
// each, in file order; onCorner returns false to stop after a failure. A face ends at the
// first read that converts no number. A face of fewer than three vertices is a failure.
// Without convert, only the first corner carries values: the counting pass needs none.
template <bool convert, class OnCorner>
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
    switch (form) {
    case ObjFaceForm::VertexNormal:
        return glmReadMoreCorners<convert, ObjFaceForm::VertexNormal>(reading, scanner, corner,
                                                                      line, onCorner);
    case ObjFaceForm::VertexTextureNormal:
        return glmReadMoreCorners<convert, ObjFaceForm::VertexTextureNormal>(
            reading, scanner, corner, line, onCorner);
    case ObjFaceForm::VertexTexture:
        return glmReadMoreCorners<convert, ObjFaceForm::VertexTexture>(reading, scanner, corner,
                                                                       line, onCorner);
    case ObjFaceForm::Vertex:
        break;
    }
    return glmReadMoreCorners<convert, ObjFaceForm::Vertex>(reading, scanner, corner, line,
                                                            onCorner);
}

// What a face index refers to, for messages.
struct ObjIndexKind {
    const char* name;   // "vertex"
    const char* plural; // "vertices"
};

// glmResolveIndex for the indices that are not plainly in range.
bool glmResolveOtherIndex(ObjReading& reading, const ObjIndexKind& kind, unsigned line,
                          std::int32_t* index, std::uint32_t definedBefore, std::uint32_t total);

// Turns a face index into a 1-based array index. Negative indices count back from
// definedBefore, the items defined before the face; total is the items in the whole file.
// An index that names no item is a failure naming the kind, the line and the index.
inline bool glmResolveIndex(ObjReading& reading, const ObjIndexKind& kind, unsigned line,
                            std::int32_t* index, std::uint32_t definedBefore, std::uint32_t total) {
    if (*index >= 1 && static_cast<std::uint32_t>(*index) <= total) {
        return true;
    }
    return glmResolveOtherIndex(reading, kind, line, index, definedBefore, total);
}
