// The reader's two passes over the OBJ text: the first counts and creates the groups and
// reads the material library, the second fills the arrays that were sized in between.
//
// Keywords are told apart by their first character (and the second for "v", "vn", "vt").
// The passes consume a line differently only where its data is followed by another keyword
// on the same line or runs past a line piece; the second pass checks every slot against the
// first pass's counts, so such a file is refused instead of overrunning an array.
#include "glm_faces.h"
#include "glm_reader.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

enum class VertexKind { Position, Normal, Texcoord, Unknown };

VertexKind vertexKind(std::string_view word) {
    if (word.size() == 1) {
        return VertexKind::Position;
    }
    switch (word[1]) {
    case 'n':
        return VertexKind::Normal;
    case 't':
        return VertexKind::Texcoord;
    default:
        return VertexKind::Unknown;
    }
}

// A group's name: the rest of its line without the surrounding blanks and the line break.
ObjName groupName(std::string_view piece) {
    while (!piece.empty() && ObjScanner::isBlank(piece.front())) {
        piece.remove_prefix(1);
    }
    while (!piece.empty() && ObjScanner::isBlank(piece.back())) {
        piece.remove_suffix(1);
    }
    ObjName name;
    std::memcpy(name.text, piece.data(), piece.size());
    name.text[piece.size()] = '\0';
    return name;
}

bool failMisplaced(ObjReading& reading, unsigned line, std::string_view word) {
    return reading.failAt(line, "\"" + std::string(word) +
                                    "\" stands inside a line (after data, or past 127 characters)");
}

// Counts beyond what a 32-bit index can name are refused.
bool countFits(ObjReading& reading, std::uint64_t count, const char* what) {
    constexpr std::uint64_t kLimit = std::numeric_limits<std::int32_t>::max();
    return count <= kLimit ||
           reading.failInFile("more than " + std::to_string(kLimit) + " " + what);
}

// Reads up to count floats with "%f" each; the first that fails ends the read.
void readFloats(ObjScanner& scanner, float* values, int count) {
    for (int i = 0; i < count && scanner.readFloat(&values[i]); i++) {
    }
}

const ObjIndexKind kVertexIndex = {"vertex", "vertices"};
const ObjIndexKind kNormalIndex = {"normal", "normals"};
const ObjIndexKind kTexcoordIndex = {"texture coordinate", "texture coordinates"};

} // namespace

bool ObjReading::fail(std::string message, bool onStandardOutput) {
    failure->message = std::move(message);
    failure->onStandardOutput = onStandardOutput;
    return false;
}

bool ObjReading::failAt(unsigned line, const std::string& what) {
    return fail("glmReadOBJ() failed: \"" + std::string(model->objpath) + "\" line " +
                std::to_string(line) + ": " + what + ".");
}

bool ObjReading::failInFile(const std::string& what) {
    return fail("glmReadOBJ() failed: \"" + std::string(model->objpath) + "\": " + what + ".");
}

bool glmFirstPass(ObjReading& reading, ObjScanner& scanner) {
    ObjModel* model = reading.model;
    ObjGroup* group = glmEnsureGroup(model, "default");
    std::uint64_t vertices = 0;
    std::uint64_t normals = 0;
    std::uint64_t texcoords = 0;
    std::uint64_t triangles = 0;
    std::string_view word;
    while (scanner.word(&word)) {
        switch (word[0]) {
        case 'v':
            switch (vertexKind(word)) {
            case VertexKind::Position:
                vertices++;
                break;
            case VertexKind::Normal:
                normals++;
                break;
            case VertexKind::Texcoord:
                texcoords++;
                break;
            case VertexKind::Unknown:
                return reading.fail("glmFirstPass(): Unknown token \"" + std::string(word) + "\".",
                                    true);
            }
            scanner.linePiece();
            break;
        case 'f': {
            std::uint64_t corners = 0;
            if (!glmReadFace<false>(reading, scanner, [&corners](ObjFaceForm, const ObjCorner&) {
                    corners++;
                    return true;
                })) {
                return false;
            }
            triangles += corners - 2;
            group->facecount += static_cast<std::uint32_t>(corners - 2);
            break;
        }
        case 'g':
            group = glmEnsureGroup(model, groupName(scanner.linePiece()).text);
            break;
        case 'm': {
            const ObjName library = glmFirstWordOfLine(scanner);
            std::free(model->mtllib);
            model->mtllib = strdup(library.text);
            if (!glmReadMTL(reading, library.text)) {
                return false;
            }
            break;
        }
        default:
            scanner.linePiece();
            break;
        }
    }
    if (!countFits(reading, vertices, "vertices") || !countFits(reading, normals, "normals") ||
        !countFits(reading, texcoords, "texture coordinates") ||
        !countFits(reading, triangles, "triangles")) {
        return false;
    }
    model->vertexcount = static_cast<std::uint32_t>(vertices);
    model->normalcount = static_cast<std::uint32_t>(normals);
    model->texcoordcount = static_cast<std::uint32_t>(texcoords);
    model->facecount = static_cast<std::uint32_t>(triangles);
    for (ObjGroup* g = model->grouplist; g != nullptr; g = g->next) {
        g->faceidx = static_cast<std::uint32_t*>(std::calloc(g->facecount, sizeof(std::uint32_t)));
        reading.groupCapacity[g] = g->facecount;
        g->facecount = 0;
    }
    return true;
}

bool glmSecondPass(ObjReading& reading, ObjScanner& scanner) {
    ObjModel* model = reading.model;
    ObjGroup* group = glmLookupGroup(model, "default");
    std::uint32_t capacity = reading.groupCapacity[group];
    std::uint32_t vertices = 0;
    std::uint32_t normals = 0;
    std::uint32_t texcoords = 0;
    std::uint32_t triangles = 0;
    std::uint32_t material = 0;
    std::string_view word;
    while (scanner.word(&word)) {
        switch (word[0]) {
        case 'v':
            switch (vertexKind(word)) {
            case VertexKind::Position:
                if (vertices == model->vertexcount) {
                    return failMisplaced(reading, scanner.line(), word);
                }
                readFloats(scanner, &model->vertices[3 * ++vertices], 3);
                break;
            case VertexKind::Normal:
                if (normals == model->normalcount) {
                    return failMisplaced(reading, scanner.line(), word);
                }
                readFloats(scanner, &model->normals[3 * ++normals], 3);
                break;
            case VertexKind::Texcoord:
                if (texcoords == model->texcoordcount) {
                    return failMisplaced(reading, scanner.line(), word);
                }
                readFloats(scanner, &model->texcoordarray[2 * ++texcoords], 2);
                break;
            case VertexKind::Unknown:
                return failMisplaced(reading, scanner.line(), word);
            }
            break;
        case 'f': {
            const std::string keyword(word); // the face's reads may move the text on
            const unsigned line = scanner.line();
            ObjCorner first;
            ObjCorner previous;
            std::uint64_t corners = 0;
            const auto addCorner = [&](ObjFaceForm form, ObjCorner corner) {
                const unsigned at = scanner.line();
                if (!glmResolveIndex(reading, kVertexIndex, at, &corner.vertex, vertices,
                                     model->vertexcount)) {
                    return false;
                }
                corner.texcoord = glmFormHasTexcoord(form) ? corner.texcoord : 0;
                if (glmFormHasTexcoord(form) &&
                    !glmResolveIndex(reading, kTexcoordIndex, at, &corner.texcoord, texcoords,
                                     model->texcoordcount)) {
                    return false;
                }
                corner.normal = glmFormHasNormal(form) ? corner.normal : 0;
                if (glmFormHasNormal(form) &&
                    !glmResolveIndex(reading, kNormalIndex, at, &corner.normal, normals,
                                     model->normalcount)) {
                    return false;
                }
                if (++corners == 1) {
                    first = corner;
                } else if (corners >= 3) {
                    // Fanned out from the first vertex: (first, previous, this one).
                    if (triangles == model->facecount || group->facecount == capacity) {
                        return failMisplaced(reading, line, keyword);
                    }
                    ObjTriangle& triangle = model->faces[triangles];
                    const ObjCorner* fan[3] = {&first, &previous, &corner};
                    for (int i = 0; i < 3; i++) {
                        triangle.vertexidx[i] = fan[i]->vertex;
                        triangle.normalidx[i] = fan[i]->normal;
                        triangle.texcoordidx[i] = fan[i]->texcoord;
                    }
                    triangle.facetnormidx = 0;
                    group->faceidx[group->facecount++] = triangles++;
                }
                previous = corner;
                return true;
            };
            if (!glmReadFace<true>(reading, scanner, addCorner)) {
                return false;
            }
            break;
        }
        case 'g': {
            const unsigned line = scanner.line();
            const std::string keyword(word);
            group = glmLookupGroup(model, groupName(scanner.linePiece()).text);
            if (group == nullptr) {
                return failMisplaced(reading, line, keyword);
            }
            capacity = reading.groupCapacity[group];
            group->materialidx = material;
            break;
        }
        case 'u':
            material = glmFindMaterial(model, glmFirstWordOfLine(scanner).text);
            group->materialidx = material;
            break;
        default:
            scanner.linePiece();
            break;
        }
    }
    bool complete = vertices == model->vertexcount && normals == model->normalcount &&
                    texcoords == model->texcoordcount && triangles == model->facecount;
    for (const ObjGroup* g = model->grouplist; g != nullptr; g = g->next) {
        complete = complete && g->facecount == reading.groupCapacity[g];
    }
    return complete || reading.failInFile("a keyword stands inside a line (after data, or past "
                                          "127 characters)");
}
