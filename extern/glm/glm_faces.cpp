#include "glm_faces.h"

#include <algorithm>
#include <string>

namespace objreader {

namespace {

// A face vertex split at its slashes: up to three fields (vertex, texture coordinate,
// normal), each empty or a whole number. A number beyond 32 bits saturates, so that it
// names no item.
struct Fields {
    std::int32_t value[3];
    bool present[3];
    int count;
};

// Parses the face vertex at p into fields. Returns where the word ends, or null when it is
// something else ("1.5", "1/2/3/4", "-").
inline const char* parseVertex(const char* p, Fields* fields) {
    constexpr std::uint64_t kBeyond32Bits = std::uint64_t{1} << 32;
    for (int field = 0;; field++) {
        const char* const start = p;
        const bool negative = *p == '-';
        p += negative || *p == '+' ? 1 : 0;
        const char* const digits = p;
        std::uint64_t magnitude = 0;
        for (unsigned digit = 0; (digit = static_cast<unsigned char>(*p) - 48u) < 10; ++p) {
            magnitude = std::min(magnitude * 10 + digit, kBeyond32Bits);
        }
        if (p == digits && p != start) {
            return nullptr; // a sign without digits
        }
        const auto value = static_cast<std::int64_t>(magnitude);
        fields->value[field] = static_cast<std::int32_t>(std::clamp(
            negative ? -value : value, std::int64_t{INT32_MIN}, std::int64_t{INT32_MAX}));
        fields->present[field] = p != start;
        fields->count = field + 1;
        if (*p != '/') {
            break;
        }
        if (field == 2) {
            return nullptr;
        }
        ++p;
    }
    const CharClass next = charClass(*p);
    const bool ends = next == kBlank || next == kLineBreak || next == kZeroByte ||
                      (next == kBackslash && Scanner::continuation(p) != 0);
    return ends ? p : nullptr;
}

// What a face index refers to, for messages, and its field in a face vertex.
struct IndexKind {
    const char* name;   // "vertex"
    const char* plural; // "vertices"
    int field;
};

constexpr IndexKind kIndexKinds[3] = {{"vertex", "vertices", 0},
                                      {"texture coordinate", "texture coordinates", 1},
                                      {"normal", "normals", 2}};

std::string quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

// The text of one field of a face vertex.
std::string_view fieldText(std::string_view vertex, int field) {
    for (; field > 0; field--) {
        vertex.remove_prefix(vertex.find('/') + 1);
    }
    return vertex.substr(0, vertex.find('/'));
}

// The first failure a face has, by precedence: a fault of form before a face too short, and
// that before an index that names no item.
struct FaceFault {
    enum Rank { None, Index, TooShort, Form };
    Rank rank = None;
    std::uint64_t line = 0;
    std::string what;

    void note(Rank r, std::uint64_t at, std::string message) {
        if (r > rank) {
            rank = r;
            line = at;
            what = std::move(message);
        }
    }
};

// Turns one face index into a 1-based array index: a negative one counts back from the items
// defined before the face. False for an index that names no item.
inline bool resolve(std::int32_t* index, std::uint64_t definedBefore, std::uint32_t total) {
    if (*index >= 1 && static_cast<std::uint32_t>(*index) <= total) {
        return true;
    }
    const std::int64_t back = static_cast<std::int64_t>(definedBefore) + 1 + *index;
    if (*index < 0 && back >= 1) {
        *index = static_cast<std::int32_t>(back);
        return true;
    }
    return false;
}

std::string indexMessage(const IndexKind& kind, std::string_view vertex, std::int32_t written,
                         std::uint64_t definedBefore, std::uint32_t total) {
    std::string message = kind.name + (" index " + std::string(fieldText(vertex, kind.field)));
    if (total == 0) {
        return message + " refers to nothing: the file defines no " + kind.plural;
    }
    if (written < 0) {
        return message + " is out of range: " + std::to_string(definedBefore) +
               " defined before it";
    }
    return message + " is out of range: the file defines " + std::to_string(total);
}

// The index of the face's form that a vertex lacks, as a reason, or null.
const char* missingIndex(bool texcoord, bool normal, const Fields& fields) {
    if (!fields.present[0]) {
        return "missing vertex index";
    }
    if (texcoord && !fields.present[1]) {
        return fields.count == 3 ? "empty texture coordinate index"
                                 : "missing texture coordinate index";
    }
    return normal && !fields.present[2] ? "missing normal index" : nullptr;
}

// The index that a vertex has and the face's form lacks, or null.
const char* unexpectedIndex(bool texcoord, bool normal, const Fields& fields) {
    if (!texcoord && fields.present[1]) {
        return "texture coordinate";
    }
    return !normal && fields.count == 3 ? "normal" : nullptr;
}

} // namespace

bool storeFace(Filling& filling, Scanner& scanner) {
    const ObjModel* model = filling.model;
    const std::uint64_t faceLine = scanner.line();
    const std::uint64_t definedBefore[3] = {filling.vertices, filling.texcoords, filling.normals};
    const std::uint32_t totals[3] = {model->vertexcount, model->texcoordcount, model->normalcount};
    FaceFault fault;
    ObjTriangle corners{}; // corner 0: the first vertex; 1: the previous one; 2: the new one
    std::string_view firstText;
    bool texcoord = false;
    bool normal = false;
    std::uint64_t count = 0;
    for (;; count++) {
        scanner.skipBlanks();
        const char* const p = scanner.position();
        if (!beginsVertex(*p)) {
            break; // the line's end, or a word that ends the face
        }
        Fields fields{};
        const char* const end = parseVertex(p, &fields);
        const std::string_view text(
            p, static_cast<std::size_t>((end != nullptr ? end : Scanner::wordEnd(p)) - p));
        scanner.moveTo(p + text.size());
        if (end == nullptr) {
            fault.note(FaceFault::Form, scanner.line(),
                       quoted(text) + " is no face vertex (v, v/t, v//n or v/t/n)");
            break;
        }
        if (count == 0) {
            texcoord = fields.present[1];
            normal = fields.count == 3;
            firstText = text;
        }
        if (const char* missing = missingIndex(texcoord, normal, fields)) {
            fault.note(FaceFault::Form, scanner.line(), missing + (" in " + quoted(text)));
            break;
        }
        if (const char* unexpected = unexpectedIndex(texcoord, normal, fields)) {
            fault.note(FaceFault::Form, scanner.line(),
                       "unexpected " + std::string(unexpected) + " index in " + quoted(text) +
                           ": the face's first vertex " + quoted(firstText) + " has none");
            break;
        }
        if (fault.rank != FaceFault::None) {
            continue; // only a fault of form can take precedence now
        }
        const bool used[3] = {true, texcoord, normal};
        std::int32_t* const slots[3] = {&corners.vertexidx[2], &corners.texcoordidx[2],
                                        &corners.normalidx[2]};
        for (int k = 0; k < 3; k++) {
            *slots[k] = used[k] ? fields.value[k] : 0;
            if (used[k] && !resolve(slots[k], definedBefore[k], totals[k])) {
                fault.note(FaceFault::Index, scanner.line(),
                           indexMessage(kIndexKinds[k], text, fields.value[k], definedBefore[k],
                                        totals[k]));
            }
        }
        if (fault.rank != FaceFault::None) {
            continue;
        }
        if (count == 0) {
            corners.vertexidx[0] = corners.vertexidx[2];
            corners.texcoordidx[0] = corners.texcoordidx[2];
            corners.normalidx[0] = corners.normalidx[2];
        } else if (count >= 2) {
            if (filling.triangle == filling.triangleEnd || filling.groupRoom == 0) {
                return filling.changed();
            }
            filling.model->faces[filling.triangle] = corners;
            *filling.grouped++ = static_cast<std::uint32_t>(filling.triangle++);
            filling.groupRoom--;
        }
        corners.vertexidx[1] = corners.vertexidx[2];
        corners.texcoordidx[1] = corners.texcoordidx[2];
        corners.normalidx[1] = corners.normalidx[2];
    }
    if (count < 3) {
        fault.note(FaceFault::TooShort, faceLine, "a face needs at least three vertices");
    }
    if (fault.rank != FaceFault::None) {
        filling.fault = {Fault::AtLine, fault.line, std::move(fault.what)};
        return false;
    }
    scanner.endLine();
    return true;
}

} // namespace objreader
