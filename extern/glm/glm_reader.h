// The reader's inside, shared by its files and by the fuzz target: reading from text held in
// memory, the state of a reading, and the failure that the exiting and the non-exiting
// reader report.
#pragma once

#include "gallery/glm.h"
#include "glm_faces.h"
#include "glm_name_index.h"
#include "glm_scanner.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace objreader {

// Why a read failed: the message without its line break, and the stream it belongs on.
struct Failure {
    std::string message;
    bool onStandardOutput = false; // the unknown-token message goes to standard output
};

// A group and the room for triangles that the first pass counted in it.
struct GroupSlot {
    ObjGroup* group;
    std::uint64_t capacity;
};

// One reading in progress. Both passes run the same routine for each statement: the first
// pass (filling false) counts, the second (filling true) fills the arrays that were sized
// in between.
struct Reading {
    Reading(ObjModel* model, const std::string_view* materialText, Failure* failure)
        : model(model), materialText(materialText), failure(failure) {}

    ObjModel* model;
    // When set, every "mtllib" line reads this text instead of a file (fuzzing).
    const std::string_view* materialText;
    Failure* failure;

    bool filling = false;
    // Counted or filled so far in this pass.
    std::uint64_t vertices = 0;
    std::uint64_t normals = 0;
    std::uint64_t texcoords = 0;
    std::uint64_t triangles = 0;
    std::uint32_t material = 0; // the current material, set in the second pass
    // Whether the first pass counts the vertices of every face exactly, rather than, on its
    // quick path, by the blanks of the line: a bound that the second pass brings down.
    bool exactFaces = false;
    Face face;              // the face being read; its storage serves every face
    std::string joinedName; // a name whose line was continued, joined

    // The groups in the order they were made, "default" first, and the current one.
    std::vector<GroupSlot> groups;
    std::uint32_t group = 0;
    // Indexes beside the model's group list and material table, so that a "g" or "usemtl"
    // line costs the same however many there are. They view the names that the model owns.
    NameIndex groupIndex;
    NameIndex materialIndex;
    // The group of each "g" line in file order: the first pass finds them by name, the
    // second takes them from here.
    std::vector<std::uint32_t> groupOrder;
    std::size_t nextGroup = 0;

    // Back to the start of a pass.
    void startPass(bool fill);
    // The group of that name, created when new.
    std::uint32_t groupNamed(std::string_view name);
    GroupSlot& currentGroup() { return groups[group]; }
    // Indexes the material table as it stands: each name finds its first entry, and
    // "default" finds entry 0 unless the library defines a material of that name.
    void indexMaterials();
    // The material of that name, or 0 after the missing-material warning.
    std::uint32_t materialNamed(std::string_view name);

    // Records the failure; returns false so that callers can return it.
    bool fail(std::string message, bool onStandardOutput = false);
    // Records "<function>() failed: "<path>" line <line>: <what>." (without the line when
    // line is 0); returns false.
    bool failIn(const char* function, std::string_view path, unsigned line,
                const std::string& what);
    // The same for the OBJ file.
    bool failAt(unsigned line, const std::string& what);
    bool failInFile(const std::string& what);
    // Refuses text that starts with a UTF-16 or UTF-32 byte-order mark.
    bool checkEncoding(const Scanner& scanner, const char* function, std::string_view path);
    // Refuses a file whose text stopped short: a line over the limit, or a read error, with
    // readError as the message.
    bool checkEnd(const Scanner& scanner, const char* function, std::string_view path,
                  const std::string& readError);
};

// Text up to its first zero byte: what a name becomes once the model holds it as a C string.
inline std::string_view cString(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// A new malloc'd, zero-terminated copy of text.
char* copyString(std::string_view text);

// Creates a group named name, without looking for one (defined with the records).
ObjGroup* addGroup(ObjModel* model, std::string_view name);
// Prints the missing-material warning; returns 0, the material "default".
std::uint32_t missingMaterial(std::string_view name);
// Frees the material table and its names.
void freeMaterials(ObjModel* model);

// Reads the OBJ text that scanner runs over into a new model named path. Returns null and
// fills *failure when the text cannot be read; the partial model is freed then.
ObjModel* readOBJ(const char* path, Scanner& scanner, const std::string_view* materialText,
                  Failure* failure);

// The same for an OBJ text held in memory, whose "mtllib" lines all read materialText:
// the entry for fuzzing.
ObjModel* readOBJText(const char* path, std::string_view text, std::string_view materialText,
                      Failure* failure);

// The reader's steps. Each returns false after recording a failure.
bool glmFirstPass(Reading& reading, Scanner& scanner);
bool secondPass(Reading& reading, Scanner& scanner);
bool glmReadMTL(Reading& reading, std::string_view name);

} // namespace objreader
