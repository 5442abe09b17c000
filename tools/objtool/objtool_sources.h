// The files a model was read from and the kinds of statement they hold. objtool reads the OBJ
// file and the material libraries it names once more, line by line, so that it never writes
// over them and can say what the library does not keep.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Lines that begin with one keyword, in one file.
struct StatementKind {
    std::string keyword;
    std::string file;
    bool inLibrary = false; // a material library's, not the OBJ file's
    std::uint64_t lines = 0;
};

struct ModelSources {
    // The OBJ file, then each material library its "mtllib" lines name, as the reader finds
    // them: in the OBJ file's directory. Only the libraries the reader reads (the first word
    // of each line) are scanned for statements.
    std::vector<std::string> files;
    // Each file's kinds in the order they first appear; comments and lines that begin with no
    // keyword (numbers continuing a line) are not counted.
    std::vector<StatementKind> statements;
};

// Scans the OBJ file at input and the libraries it names; a file that cannot be read adds
// no statements.
ModelSources scanSources(const std::string& input);

// The kinds that the library does not keep, so an output does not carry them. When materials
// are not written, the OBJ file's "mtllib" and "usemtl" lines count too and the libraries'
// own lines do not.
std::vector<StatementKind> droppedStatements(const ModelSources& sources, bool materialsWritten);

// "\"o\": 2 lines in model.obj"
std::string describeStatements(const StatementKind& kind);
