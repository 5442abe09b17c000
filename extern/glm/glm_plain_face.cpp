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

// An index: a minus sign or none, then 1 to 9 digits. Returns where it ends, or null.
inline const char* plainIndex(const char* p, std::int32_t* index) {
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    std::uint32_t magnitude = 0;
    int length = 0;
    for (; length < 10 && isDigit(p[length]); length++) {
        magnitude = magnitude * 10 + static_cast<unsigned char>(p[length] - '0');
    }
    if (length == 0 || length > 9) {
        return nullptr;
    }
    *index =
        negative ? -static_cast<std::int32_t>(magnitude) : static_cast<std::int32_t>(magnitude);
    return p + length;
}

// Turns a written index into an array index as resolveIndex does; false where it would fail.
inline bool resolvePlainIndex(std::int32_t* index, std::uint64_t definedBefore,
                              std::uint32_t total) {
    std::int64_t resolved = *index;
    if (resolved < 0) {
        resolved += static_cast<std::int64_t>(definedBefore) + 1;
    }
    *index = static_cast<std::int32_t>(resolved);
    return static_cast<std::uint64_t>(resolved - 1) < total;
}

// Where a plain face vertex may end: at a blank, the line break or the end of the text.
inline bool endsWord(const char* p, const char* end) {
    const CharClass next = charClass(*p);
    return next == kBlank || next == kLineBreak || (next == kZeroByte && p == end);
}

// The face being stored, in local copies of the counts that storing moves.
struct PlainFace {
    ObjModel* model;
    ObjGroup* group;
    std::uint64_t definedVertices, definedTexcoords, definedNormals;
    std::uint64_t triangles; // the next triangle's number
    std::uint64_t room;      // how many more triangles fit, in the model and in the group
};

// Reads one vertex of the form <kTexcoord, kNormal> at p into *corner, resolved; returns
// where it ends, or null.
template <bool kTexcoord, bool kNormal>
inline const char* plainCorner(const PlainFace& face, const char* p, const char* end,
                               Corner* corner) {
    const ObjModel* model = face.model;
    p = plainIndex(p, &corner->vertex);
    if (p == nullptr ||
        !resolvePlainIndex(&corner->vertex, face.definedVertices, model->vertexcount)) {
        return nullptr;
    }
    if constexpr (kTexcoord || kNormal) {
        if (*p != '/') {
            return nullptr;
        }
        ++p;
    }
    if constexpr (kTexcoord) {
        p = plainIndex(p, &corner->texcoord);
        if (p == nullptr ||
            !resolvePlainIndex(&corner->texcoord, face.definedTexcoords, model->texcoordcount)) {
            return nullptr;
        }
    }
    if constexpr (kNormal) {
        if (*p != '/') {
            return nullptr;
        }
        p = plainIndex(p + 1, &corner->normal);
        if (p == nullptr ||
            !resolvePlainIndex(&corner->normal, face.definedNormals, model->normalcount)) {
            return nullptr;
        }
    }
    return endsWord(p, end) ? p : nullptr;
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
            storeTriangle(face.model, &face.triangles, face.group, first, previous, next);
        }
        previous = next;
    }
}

// The form of the face vertex at p, by its slashes: whether it has a texture coordinate and
// a normal. Any other text reads as a plain vertex, which plainCorner then refuses.
void plainForm(const char* p, bool* texcoord, bool* normal) {
    std::int32_t index = 0;
    p = plainIndex(p, &index);
    *texcoord = false;
    *normal = false;
    if (p != nullptr && *p == '/') {
        *texcoord = p[1] != '/';
        p = *texcoord ? plainIndex(p + 1, &index) : p + 1;
        *normal = p != nullptr && *p == '/';
    }
}

} // namespace

bool storePlainFace(Reading& reading, Scanner& scanner) {
    ObjModel* model = reading.model;
    const GroupSlot& slot = reading.currentGroup();
    ObjGroup* group = slot.group;
    PlainFace face = {model,
                      group,
                      reading.vertices,
                      reading.texcoords,
                      reading.normals,
                      reading.triangles,
                      std::min<std::uint64_t>(model->facecount - reading.triangles,
                                              slot.capacity - group->facecount)};
    const std::uint32_t grouped = group->facecount;
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
        // Triangles stored so far are stored again by the slow path; the counts stay.
        group->facecount = grouped;
        return false;
    }
    reading.triangles = face.triangles;
    scanner.passLineBreak(lineEnd);
    return true;
}

} // namespace objreader
