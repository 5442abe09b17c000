// The reader's inside, shared by its files and by the fuzz target: reading from text held in
// memory, and the failure that the exiting and the non-exiting reader report.
#pragma once

#include "gallery/glm.h"
#include "glm_scanner.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

// Why a read failed: the message without its line break, and the stream it belongs on.
struct ObjReadFailure {
    std::string message;
    bool onStandardOutput = false; // the unknown-token message goes to standard output
};

// One reading in progress.
struct ObjReading {
    ObjModel* model;
    // When set, every "mtllib" line reads this text instead of a file (fuzzing).
    const std::string_view* materialText;
    ObjReadFailure* failure;
    // Each group's room for triangles, as the first pass counted them.
    std::unordered_map<const ObjGroup*, std::uint32_t> groupCapacity;

    // Records the failure; returns false so that callers can return it.
    bool fail(std::string message, bool onStandardOutput = false);
    // Records "glmReadOBJ() failed: "<objpath>" line <line>: <what>."; returns false.
    bool failAt(unsigned line, const std::string& what);
    // Records "glmReadOBJ() failed: "<objpath>": <what>."; returns false.
    bool failInFile(const std::string& what);
};

// A name from a line piece; the piece bounds it, so the buffer never overflows.
struct ObjName {
    char text[kObjLinePiece + 1];
};

// The first word of the rest of the line ("mtllib", "usemtl", "newmtl"); empty when none.
ObjName glmFirstWordOfLine(ObjScanner& scanner);

// Frees the material table and its names (defined with the records).
void glmFreeMaterials(ObjModel* model);

// Reads the OBJ text that scanner runs over into a new model named path. Returns null and
// fills *failure when the text cannot be read; the partial model is freed then.
ObjModel* glmReadOBJFrom(const char* path, ObjScanner& scanner,
                         const std::string_view* materialText, ObjReadFailure* failure);

// The same for an OBJ text held in memory, whose "mtllib" lines all read materialText:
// the entry for fuzzing.
ObjModel* glmReadOBJText(const char* path, std::string_view text, std::string_view materialText,
                         ObjReadFailure* failure);

// The reader's steps. Each returns false after recording a failure.
bool glmFirstPass(ObjReading& reading, ObjScanner& scanner);
bool glmSecondPass(ObjReading& reading, ObjScanner& scanner);
bool glmReadMTL(ObjReading& reading, const char* name);
