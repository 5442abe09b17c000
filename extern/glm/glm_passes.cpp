// The reader's two passes over the OBJ text: the first counts and creates the groups and
// reads the material library, the second fills the arrays that were sized in between.
//
// The text is read a line at a time, and a line's first word is its keyword, told apart by
// its first character (and the second for "v", "vn", "vt"). Each statement has one routine
// that both passes run, the first counting what the second fills, so the passes read the
// same text the same way and stay in step. What a statement does not read of its line is
// skipped with it.
#include "glm_faces.h"
#include "glm_reader.h"
#include "glm_text_search.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace objreader {

namespace {

// The second pass found other statements than the first: the file changed in between.
bool failChanged(Reading& reading) {
    return reading.failInFile("the file changed while it was read");
}

// Kept out of the line, so that vertexData stays small enough to be inlined.
[[gnu::noinline]] bool unknownToken(Reading& reading, std::string_view keyword) {
    return reading.fail("glmFirstPass(): Unknown token \"" + std::string(keyword) + "\".", true);
}

// "v", "vn", "vt": counted in the first pass; the second reads the values into the next
// slot, as many as convert.
[[gnu::always_inline]] inline bool vertexData(Reading& reading, Scanner& scanner,
                                              std::string_view keyword) {
    ObjModel* model = reading.model;
    std::uint64_t* counter = &reading.vertices;
    float* array = model->vertices;
    std::uint32_t total = model->vertexcount;
    int width = 3;
    if (keyword.size() > 1 && keyword[1] == 'n') {
        counter = &reading.normals;
        array = model->normals;
        total = model->normalcount;
    } else if (keyword.size() > 1 && keyword[1] == 't') {
        counter = &reading.texcoords;
        array = model->texcoordarray;
        total = model->texcoordcount;
        width = 2;
    } else if (keyword.size() > 1) {
        return unknownToken(reading, keyword);
    }
    const std::uint64_t slot = ++*counter;
    if (!reading.filling) {
        return true;
    }
    if (slot > total) {
        return failChanged(reading);
    }
    scanner.readFloats(&array[width * slot], width);
    return true;
}

// Counts the triangles of a face of that many vertices into the model and the current group.
void countTriangles(Reading& reading, std::size_t vertices) {
    // A face of fewer than three vertices counts none: the second pass refuses it.
    const std::size_t triangles = vertices >= 3 ? vertices - 2 : 0;
    reading.triangles += triangles;
    reading.currentGroup().capacity += triangles;
}

// "f": the first pass counts its triangles into the model and the current group; the second
// reads and checks its vertices and stores the triangles, fanned out from the first vertex.
bool face(Reading& reading, Scanner& scanner) {
    GroupSlot& slot = reading.currentGroup();
    if (!reading.filling) {
        countTriangles(reading, countVertices(scanner));
        return true;
    }
    Face& face = reading.face;
    if (!readFace(reading, scanner, &face)) {
        return false;
    }
    const std::size_t triangles = face.corners.size() - 2;
    ObjModel* model = reading.model;
    ObjGroup* group = slot.group;
    if (reading.triangles + triangles > model->facecount ||
        group->facecount + triangles > slot.capacity) {
        return failChanged(reading);
    }
    if (!resolveFace(reading, &face)) {
        return false;
    }
    for (std::size_t k = 2; k < face.corners.size(); k++) {
        fillTriangle(model->faces[reading.triangles], face.corners[0], face.corners[k - 1],
                     face.corners[k]);
        group->faceidx[group->facecount++] = static_cast<std::uint32_t>(reading.triangles++);
    }
    return true;
}

// A group's name: the rest of its line without the surrounding blanks, each continuation
// read as one blank.
std::string_view groupName(std::string_view rest, std::string* joined) {
    if (rest.find('\n') != std::string_view::npos) {
        joined->clear();
        for (std::size_t i = 0; i < rest.size(); i++) {
            std::size_t lineBreak = i + 1;
            if (rest[i] == '\\' && lineBreak < rest.size() && rest[lineBreak] == '\r') {
                lineBreak++;
            }
            if (rest[i] == '\\' && lineBreak < rest.size() && rest[lineBreak] == '\n') {
                *joined += ' ';
                i = lineBreak;
            } else {
                *joined += rest[i];
            }
        }
        rest = *joined;
    }
    while (!rest.empty() && Scanner::isBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    return cString(rest);
}

// "g": makes the named group current (the first pass finds or creates it, the second takes
// the group that the first found for the line) and gives it the current material.
bool groupLine(Reading& reading, Scanner& scanner) {
    if (!reading.filling) {
        reading.group = reading.groupNamed(groupName(scanner.rest(), &reading.joinedName));
        reading.groupOrder.push_back(reading.group);
        return true;
    }
    if (reading.nextGroup == reading.groupOrder.size()) {
        return failChanged(reading);
    }
    reading.group = reading.groupOrder[reading.nextGroup++];
    reading.currentGroup().group->materialidx = reading.material;
    return true;
}

// "mtllib": the first pass reads the library that the line's first word names.
bool materialLibrary(Reading& reading, Scanner& scanner) {
    if (reading.filling) {
        return true;
    }
    std::string_view name;
    scanner.word(&name);
    name = cString(name);
    std::free(reading.model->mtllib);
    reading.model->mtllib = copyString(name);
    return glmReadMTL(reading, name);
}

// "usemtl": the second pass makes the material that the line's first word names current,
// and gives it to the current group.
bool materialUse(Reading& reading, Scanner& scanner) {
    if (!reading.filling) {
        return true;
    }
    std::string_view name;
    scanner.word(&name);
    reading.material = reading.materialNamed(cString(name));
    reading.currentGroup().group->materialidx = reading.material;
    return true;
}

bool statement(Reading& reading, Scanner& scanner, std::string_view keyword) {
    bool read = true;
    switch (keyword[0]) {
    case '#':
        // A comment ends with its physical line, whatever its last character.
        scanner.endPhysicalLine();
        return true;
    case 'v':
        read = vertexData(reading, scanner, keyword);
        break;
    case 'f':
        read = face(reading, scanner);
        break;
    case 'g':
        read = groupLine(reading, scanner);
        break;
    case 'm':
        read = materialLibrary(reading, scanner);
        break;
    case 'u':
        read = materialUse(reading, scanner);
        break;
    default:
        break;
    }
    scanner.endLine();
    return read;
}

// Moves past the line that the scanner stands in, reading nothing more of it.
[[gnu::always_inline]] inline void skipLine(Scanner& scanner) {
    const char* const found = findBreakOrBackslash(scanner.position(), scanner.textEnd());
    if (*found == '\\') {
        scanner.moveTo(found);
        scanner.endLine();
    } else {
        scanner.passLineBreak(found);
    }
}

// Whether c, the byte after a keyword, ends it plainly.
bool plainKeywordEnd(char c) {
    return c == ' ' || c == '\t';
}

enum class Quick { Left, Read, Failed };

// The quick path of the statements that nearly every line of a file holds, written plainly:
// blank lines, comments, "v", "vn", "vt", "f", "g" and "usemtl" lines, and skipped lines. The
// scanner stands at the start of a line. Each line is read as statement() reads it; a line
// that this leaves (Left) is left unread for statement(): a line that starts with a blank, an
// "mtllib" line, another keyword that begins with "v", "f", "g" or "u", a face that is not
// written plainly.
Quick quickStatement(Reading& reading, Scanner& scanner) {
    const char* const p = scanner.position();
    if (p == scanner.textEnd()) {
        return Quick::Left;
    }
    switch (*p) {
    case '\n':
        scanner.passLineBreak(p);
        return Quick::Read;
    case '\r':
        if (p[1] != '\n') {
            return Quick::Left;
        }
        scanner.passLineBreak(p + 1);
        return Quick::Read;
    case '#':
        scanner.endPhysicalLine();
        return Quick::Read;
    case 'v': {
        const bool pair = (p[1] == 'n' || p[1] == 't') && plainKeywordEnd(p[2]);
        if (!pair && !plainKeywordEnd(p[1])) {
            return Quick::Left;
        }
        const std::size_t length = pair ? 2 : 1;
        scanner.moveTo(p + length);
        if (!vertexData(reading, scanner, std::string_view(p, length))) {
            return Quick::Failed;
        }
        // The second pass has read the values, after which the line mostly ends.
        if (reading.filling) {
            scanner.endLine();
        } else {
            skipLine(scanner);
        }
        return Quick::Read;
    }
    case 'f':
        if (!plainKeywordEnd(p[1])) {
            return Quick::Left;
        }
        if (reading.filling) {
            return storePlainFace(reading, scanner) ? Quick::Read : Quick::Left;
        } else {
            // A face has at most as many vertices as blanks: the count may come out high, for
            // a blank at the end of the line, say, and the second pass finds the true one.
            std::size_t blanks = 0;
            const char* const lineEnd = countFaceBlanks(p + 1, scanner.textEnd(), &blanks);
            if (lineEnd == nullptr || reading.exactFaces) {
                return Quick::Left;
            }
            countTriangles(reading, blanks);
            scanner.passLineBreak(lineEnd);
            return Quick::Read;
        }
    case 'g':
    case 'u': {
        // "g" and "usemtl", each followed by a blank: the rest of the line is read as the
        // general path reads it.
        const std::size_t length = *p == 'g' ? 1 : 6;
        if ((*p == 'u' && std::strncmp(p, "usemtl", 6) != 0) || !plainKeywordEnd(p[length])) {
            return Quick::Left;
        }
        scanner.moveTo(p + length);
        if (!(*p == 'g' ? groupLine(reading, scanner) : materialUse(reading, scanner))) {
            return Quick::Failed;
        }
        scanner.endLine();
        return Quick::Read;
    }
    case 'm':
        return Quick::Left;
    default:
        if (charClass(*p) != kWordChar) {
            return Quick::Left;
        }
        skipLine(scanner);
        return Quick::Read;
    }
}

bool readStatements(Reading& reading, Scanner& scanner) {
    std::string_view keyword;
    for (;;) {
        const Quick quick = quickStatement(reading, scanner);
        if (quick == Quick::Failed) {
            return false;
        }
        if (quick == Quick::Left) {
            if (!scanner.nextLine(&keyword)) {
                break;
            }
            if (!statement(reading, scanner, keyword)) {
                return false;
            }
        }
    }
    const std::string path = reading.model->objpath;
    return reading.checkEnd(scanner, "glmReadOBJ", path,
                            "glmReadOBJ() failed: can't read data file \"" + path + "\".");
}

// array, of at least count elements, cut to count; an empty one stays as it is, as realloc
// gives no clear answer for no bytes.
template <class T> T* shrunk(T* array, std::size_t count) {
    return count == 0 ? array : static_cast<T*>(std::realloc(array, count * sizeof(T)));
}

// Counts beyond what a 32-bit index can name are refused.
constexpr std::uint64_t kCountLimit = std::numeric_limits<std::int32_t>::max();

bool countFits(Reading& reading, std::uint64_t count, const char* what) {
    return count <= kCountLimit ||
           reading.failInFile("more than " + std::to_string(kCountLimit) + " " + what);
}

} // namespace

void Reading::startPass(bool fill) {
    filling = fill;
    vertices = normals = texcoords = triangles = 0;
    material = 0;
    nextGroup = 0;
    group = groupNamed("default");
    if (!fill) {
        groupOrder.clear();
        for (GroupSlot& slot : groups) {
            slot.capacity = 0;
        }
    }
}

std::uint32_t Reading::groupNamed(std::string_view name) {
    return groupIndex.findOrAdd(name, [&] {
        ObjGroup* created = addGroup(model, name);
        groups.push_back({created, 0});
        return std::pair(static_cast<std::uint32_t>(groups.size() - 1),
                         std::string_view(created->name, name.size()));
    });
}

void Reading::indexMaterials() {
    materialIndex.clear();
    const auto add = [this](std::uint32_t i) {
        const std::string_view name = model->materialtable[i].name;
        materialIndex.findOrAdd(name, [&] { return std::pair(i, name); });
    };
    for (std::uint32_t i = 1; i < model->materialcount; i++) {
        add(i);
    }
    if (model->materialtable != nullptr) {
        add(0);
    }
}

std::uint32_t Reading::materialNamed(std::string_view name) {
    const std::uint32_t found = materialIndex.find(name);
    return found != NameIndex::kNone ? found : missingMaterial(name);
}

bool glmFirstPass(Reading& reading, Scanner& scanner) {
    reading.startPass(false);
    if (!readStatements(reading, scanner)) {
        return false;
    }
    if (!reading.exactFaces && reading.triangles > kCountLimit) {
        // Only the exact count may refuse the file.
        reading.exactFaces = true;
        scanner.rewind();
        return glmFirstPass(reading, scanner);
    }
    if (!countFits(reading, reading.vertices, "vertices") ||
        !countFits(reading, reading.normals, "normals") ||
        !countFits(reading, reading.texcoords, "texture coordinates") ||
        !countFits(reading, reading.triangles, "triangles")) {
        return false;
    }
    ObjModel* model = reading.model;
    model->vertexcount = static_cast<std::uint32_t>(reading.vertices);
    model->normalcount = static_cast<std::uint32_t>(reading.normals);
    model->texcoordcount = static_cast<std::uint32_t>(reading.texcoords);
    model->facecount = static_cast<std::uint32_t>(reading.triangles);
    for (GroupSlot& slot : reading.groups) {
        // Filled by the second pass, up to the triangles it finds.
        slot.group->faceidx =
            static_cast<std::uint32_t*>(std::malloc(slot.capacity * sizeof(std::uint32_t)));
    }
    reading.indexMaterials();
    return true;
}

bool secondPass(Reading& reading, Scanner& scanner) {
    reading.startPass(true);
    if (!readStatements(reading, scanner)) {
        return false;
    }
    ObjModel* model = reading.model;
    const bool same =
        reading.vertices == model->vertexcount && reading.normals == model->normalcount &&
        reading.texcoords == model->texcoordcount && reading.triangles <= model->facecount &&
        reading.nextGroup == reading.groupOrder.size();
    if (!same) {
        return failChanged(reading);
    }
    // The first pass may have counted more triangles than there are; the arrays shrink to
    // what the faces hold.
    if (reading.triangles < model->facecount) {
        model->facecount = static_cast<std::uint32_t>(reading.triangles);
        model->faces = shrunk(model->faces, model->facecount);
        for (const GroupSlot& slot : reading.groups) {
            if (slot.group->facecount < slot.capacity) {
                slot.group->faceidx = shrunk(slot.group->faceidx, slot.group->facecount);
            }
        }
    }
    return true;
}

} // namespace objreader
