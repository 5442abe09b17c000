// Face vertices and face index resolution.
#include "glm_faces.h"
#include "glm_reader.h"

#include <algorithm>
#include <string>

namespace objreader {

namespace {

// A face vertex split at its slashes: up to three fields (vertex, texture coordinate,
// normal), each empty or a whole number. A number beyond 32 bits saturates, so that it
// names no item.
struct Fields {
    std::int32_t value[3] = {0, 0, 0};
    bool present[3] = {false, false, false};
    int count = 0;
};

// Parses text into fields; false when it is something else ("1.5", "1/2/3/4", "-"). The
// character after the text ends it, being no digit, sign or slash: the loops need no test
// for the end.
bool parseFields(std::string_view text, Fields* fields) {
    constexpr std::uint64_t kBeyond32Bits = std::uint64_t{1} << 32;
    const char* p = text.data();
    const char* const end = p + text.size();
    for (int field = 0;; field++) {
        const char* const start = p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+') {
            ++p;
        }
        const char* const digits = p;
        while (*p == '0') {
            ++p;
        }
        const char* const significant = p;
        std::uint64_t magnitude = 0;
        for (; Scanner::isDigit(*p); ++p) {
            magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
        }
        if (p - significant > 10) {
            magnitude = kBeyond32Bits;
        }
        if (p == digits && p != start) {
            return false; // a sign without digits
        }
        const auto value = static_cast<std::int64_t>(magnitude);
        fields->present[field] = p != start;
        fields->value[field] = static_cast<std::int32_t>(std::clamp(
            negative ? -value : value, std::int64_t{INT32_MIN}, std::int64_t{INT32_MAX}));
        fields->count = field + 1;
        if (p == end) {
            return true;
        }
        if (*p != '/' || field == 2) {
            return false;
        }
        ++p;
    }
}

// The index of the face's form that a vertex lacks, as a reason, or null.
const char* missingIndex(const Face& face, const Fields& fields) {
    if (!fields.present[0]) {
        return "missing vertex index";
    }
    if (face.hasTexcoord && !fields.present[1]) {
        return fields.count == 3 ? "empty texture coordinate index"
                                 : "missing texture coordinate index";
    }
    if (face.hasNormal && !fields.present[2]) {
        return "missing normal index";
    }
    return nullptr;
}

// The index that a vertex has and the face's form lacks, or null.
const char* unexpectedIndex(const Face& face, const Fields& fields) {
    if (!face.hasTexcoord && fields.present[1]) {
        return "texture coordinate";
    }
    if (!face.hasNormal && fields.count == 3) {
        return "normal";
    }
    return nullptr;
}

// A word that begins like an index is a face vertex; any other word ends the face.
bool beginsVertex(char c) {
    return Scanner::isDigit(c) || c == '-' || c == '+' || c == '/';
}

std::string quoted(std::string_view text) {
    std::string result(1, '"');
    result += text;
    result += '"';
    return result;
}

// What a face index refers to, for messages, and its field in a face vertex.
struct IndexKind {
    const char* name;   // "vertex"
    const char* plural; // "vertices"
    int field;
};

const IndexKind kVertexIndex = {"vertex", "vertices", 0};
const IndexKind kTexcoordIndex = {"texture coordinate", "texture coordinates", 1};
const IndexKind kNormalIndex = {"normal", "normals", 2};

// The text of one field of a face vertex.
std::string_view fieldText(std::string_view vertex, int field) {
    for (; field > 0; field--) {
        vertex.remove_prefix(vertex.find('/') + 1);
    }
    return vertex.substr(0, vertex.find('/'));
}

// resolveIndex for the indices that are not plainly in range.
bool resolveOtherIndex(Reading& reading, const IndexKind& kind, const Corner& corner,
                       std::int32_t* index, std::uint64_t definedBefore, std::uint32_t total) {
    const std::int64_t written = *index;
    const std::int64_t resolved =
        written < 0 ? written + static_cast<std::int64_t>(definedBefore) + 1 : written;
    if (resolved >= 1 && resolved <= total) {
        *index = static_cast<std::int32_t>(resolved);
        return true;
    }
    std::string message = kind.name + (" index " + std::string(fieldText(corner.text, kind.field)));
    if (total == 0) {
        message += std::string(" refers to nothing: the file defines no ") + kind.plural;
    } else if (written < 0) {
        message += " is out of range: " + std::to_string(definedBefore) + " defined before it";
    } else {
        message += " is out of range: the file defines " + std::to_string(total);
    }
    return reading.failAt(corner.line, message);
}

// Turns one face index into a 1-based array index. definedBefore is the number of items
// defined before the face, total the number in the whole file.
inline bool resolveIndex(Reading& reading, const IndexKind& kind, const Corner& corner,
                         std::int32_t* index, std::uint64_t definedBefore, std::uint32_t total) {
    if (*index >= 1 && static_cast<std::uint32_t>(*index) <= total) {
        return true;
    }
    return resolveOtherIndex(reading, kind, corner, index, definedBefore, total);
}

} // namespace

std::size_t countVertices(Scanner& scanner) {
    std::size_t count = 0;
    std::string_view text;
    while (scanner.word(&text) && beginsVertex(text[0])) {
        count++;
    }
    return count;
}

bool readFace(Reading& reading, Scanner& scanner, Face* face) {
    const unsigned line = scanner.line();
    face->corners.clear();
    std::string_view text;
    while (scanner.word(&text) && beginsVertex(text[0])) {
        Fields fields;
        if (!parseFields(text, &fields)) {
            return reading.failAt(scanner.line(),
                                  quoted(text) + " is no face vertex (v, v/t, v//n or v/t/n)");
        }
        if (face->corners.empty()) {
            face->hasTexcoord = fields.present[1];
            face->hasNormal = fields.count == 3;
        }
        if (const char* missing = missingIndex(*face, fields)) {
            return reading.failAt(scanner.line(), missing + (" in " + quoted(text)));
        }
        if (const char* unexpected = unexpectedIndex(*face, fields)) {
            return reading.failAt(scanner.line(), "unexpected " + std::string(unexpected) +
                                                      " index in " + quoted(text) +
                                                      ": the face's first vertex " +
                                                      quoted(face->corners[0].text) + " has none");
        }
        face->corners.push_back({fields.value[0], face->hasTexcoord ? fields.value[1] : 0,
                                 face->hasNormal ? fields.value[2] : 0, scanner.line(), text});
    }
    return face->corners.size() >= 3 ||
           reading.failAt(line, "a face needs at least three vertices");
}

bool resolveFace(Reading& reading, Face* face) {
    const ObjModel* model = reading.model;
    for (Corner& corner : face->corners) {
        if (!resolveIndex(reading, kVertexIndex, corner, &corner.vertex, reading.vertices,
                          model->vertexcount) ||
            (face->hasTexcoord && !resolveIndex(reading, kTexcoordIndex, corner, &corner.texcoord,
                                                reading.texcoords, model->texcoordcount)) ||
            (face->hasNormal && !resolveIndex(reading, kNormalIndex, corner, &corner.normal,
                                              reading.normals, model->normalcount))) {
            return false;
        }
    }
    return true;
}

} // namespace objreader
