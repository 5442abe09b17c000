// The filling pass's quick path for faces as nearly every file writes them: a face whose
// vertices all take the form of its first, each index a minus sign or none and 1 to 9
// digits naming an item, parted by blanks up to the line break. Its triangles are stored as
// its corners come. Any other face is left to readFace and resolveFace, which read it again
// from its start and report what is wrong.
#include "glm_faces.h"
#include "glm_reader.h"
#include "glm_text_search.h"

#include <algorithm>

namespace objreader {

namespace {

// What a face's indices are resolved against: the items defined before the face, and in
// the whole file.
struct IndexRange {
    std::uint64_t definedBefore;
    std::uint32_t total;
};

// An index written as a minus sign or none and 1 to 9 digits, resolved as resolveIndex does
// it ("-0" is 0, no item). Returns where it ends; null where it is written otherwise or names
// no item.
inline const char* plainIndex(const char* p, const IndexRange& range, std::int32_t* index) {
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    unsigned digit = static_cast<unsigned char>(*p) - 48u;
    if (digit >= 10) {
        return nullptr;
    }
    std::uint32_t magnitude = digit;
    int length = 1;
    // Unrolled whole, which -O2 does not do by itself: face indices are most of a model's
    // text, and the unrolled loop reads a large model a fifth faster.
#pragma GCC unroll 9
    for (; length < 10; length++) {
        digit = static_cast<unsigned char>(p[length]) - 48u;
        if (digit >= 10) {
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    const std::int64_t resolved = negative && magnitude != 0
                                      ? static_cast<std::int64_t>(range.definedBefore) + 1 -
                                            static_cast<std::int64_t>(magnitude)
                                      : magnitude;
    if (length > 9 || static_cast<std::uint64_t>(resolved - 1) >= range.total) {
        return nullptr;
    }
    *index = static_cast<std::int32_t>(resolved);
    return p + length;
}

// Where a plain face vertex may end: at a blank, the line break or the end of the text.
inline bool endsWord(const char* p, const char* end) {
    const CharClass next = charClass(*p);
    return next == kBlank || next == kLineBreak || (next == kZeroByte && p == end);
}

// The face being stored, with local copies of what storing reads and moves.
struct PlainFace {
    IndexRange vertices, texcoords, normals;
    ObjTriangle* faces;     // the model's
    std::uint32_t* grouped; // the next entry of the group's face list
    std::uint64_t triangle; // the next triangle's number
    std::uint64_t room;     // how many more triangles fit, in the model and in the group
};

// Reads one vertex of the form <kTexcoord, kNormal> at p into *corner, resolved; returns
// where it ends, or null.
template <bool kTexcoord, bool kNormal>
inline const char* plainCorner(const PlainFace& face, const char* p, const char* end,
                               Corner* corner) {
    p = plainIndex(p, face.vertices, &corner->vertex);
    if constexpr (kTexcoord || kNormal) {
        if (p == nullptr || *p != '/') {
            return nullptr;
        }
        ++p;
    }
    if constexpr (kTexcoord) {
        p = plainIndex(p, face.texcoords, &corner->texcoord);
    }
    if constexpr (kNormal) {
        if (p == nullptr || *p != '/') {
            return nullptr;
        }
        p = plainIndex(p + 1, face.normals, &corner->normal);
    }
    return p != nullptr && endsWord(p, end) ? p : nullptr;
}

// Reads and stores the vertices of the form <kTexcoord, kNormal> from p, the first vertex
// of the face; returns where the face's line ends, or null.
template <bool kTexcoord, bool kNormal>
const char* plainCorners(PlainFace& face, const char* p, const char* end) {
    Corner first{};
    Corner previous{};
    std::uint64_t count = 0;
    for (;; count++) {
        while (isBlank(*p)) {
            ++p;
        }
        if (*p == '\n' || p == end) {
            return count >= 3 ? p : nullptr;
        }
        Corner next{};
        p = plainCorner<kTexcoord, kNormal>(face, p, end, &next);
        if (p == nullptr) {
            return nullptr;
        }
        if (count == 0) {
            first = next;
        } else if (count >= 2) {
            if (count - 2 >= face.room) {
                return nullptr;
            }
            fillTriangle(face.faces[face.triangle], first, previous, next);
            *face.grouped++ = static_cast<std::uint32_t>(face.triangle++);
        }
        previous = next;
    }
}

// The form of the face vertex at p, by its slashes: whether it has a texture coordinate and
// a normal. What is no plain vertex reads as one of the form v, which plainCorner refuses.
void plainForm(const char* p, bool* texcoord, bool* normal) {
    while (isDigit(*p) || *p == '-') {
        ++p;
    }
    *texcoord = *p == '/' && p[1] != '/';
    *normal = *p == '/' && p[1] == '/';
    if (*texcoord) {
        // p[1] is no slash, but may be the zero byte that ends the text.
        for (++p; isDigit(*p) || *p == '-'; ++p) {
        }
        *normal = *p == '/';
    }
}

} // namespace

bool storePlainFace(Reading& reading, Scanner& scanner) {
    const ObjModel* model = reading.model;
    const GroupSlot& slot = reading.currentGroup();
    ObjGroup* group = slot.group;
    PlainFace face = {{reading.vertices, model->vertexcount},
                      {reading.texcoords, model->texcoordcount},
                      {reading.normals, model->normalcount},
                      model->faces,
                      group->faceidx + group->facecount,
                      reading.triangles,
                      std::min<std::uint64_t>(model->facecount - reading.triangles,
                                              slot.capacity - group->facecount)};
    const char* const end = scanner.textEnd();
    const char* p = scanner.position() + 1;
    while (isBlank(*p)) {
        ++p;
    }
    bool texcoord = false;
    bool normal = false;
    plainForm(p, &texcoord, &normal);
    const char* lineEnd = nullptr;
    if (texcoord && normal) {
        lineEnd = plainCorners<true, true>(face, p, end);
    } else if (texcoord) {
        lineEnd = plainCorners<true, false>(face, p, end);
    } else if (normal) {
        lineEnd = plainCorners<false, true>(face, p, end);
    } else {
        lineEnd = plainCorners<false, false>(face, p, end);
    }
    if (lineEnd == nullptr) {
        return false; // what was stored is stored again by the general path
    }
    group->facecount += static_cast<std::uint32_t>(face.triangle - reading.triangles);
    reading.triangles = face.triangle;
    scanner.passLineBreak(lineEnd);
    return true;
}

} // namespace objreader
