// objtool's command line: the command, its files, the conversion and the picture options. The
// options and their help come from one description (objtool_help.h).
#pragma once

#include "objtool_display.h"
#include "objtool_help.h"

#include <optional>
#include <string>
#include <vector>

enum class TexcoordMapping { None, Planar, Sphere };

// What convert does to the model, applied in the order of the fields, and what it writes.
struct ConvertOptions {
    std::optional<float> weldEpsilon;
    bool fit = false;
    bool flip = false;
    bool facetNormals = false;
    std::optional<float> smoothAngle;
    TexcoordMapping texcoords = TexcoordMapping::None;
    // What convert writes of what the model has.
    bool writeNormals = true;
    bool writeTexcoords = true;
    bool writeMaterials = true;
    std::string library; // with an output of "-": where the material library goes, or empty
};

struct Command {
    CommandKind kind = CommandKind::Help;
    std::string input;    // "-": standard input
    std::string output;   // "-": standard output
    unsigned threads = 0; // the most threads to read with; 0: as many as the reader takes
    ConvertOptions convert;
    PictureSettings picture; // view and render only
};

// Parses the arguments after the program name. Returns the command, or nothing with a
// message in *error that says what is wrong.
std::optional<Command> parseCommand(const std::vector<std::string>& args, std::string* error);
