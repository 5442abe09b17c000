// Where a command writes: convert its output and, with the materials, a material library
// (beside the output and named after it, or where --mtl says for standard output); render its
// picture. No file written may be one the model was read from, and nothing else is written.
#pragma once

#include "gallery/glm.h"
#include "objtool_pipes.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct PlannedFile {
    std::string path;      // as given; "-" is standard output
    std::string name;      // its file name, which the writer writes it under
    bool streamed = false; // standard output, or an existing device or pipe: written in place
};

struct OutputPlan {
    PlannedFile output;
    std::optional<PlannedFile> library; // the material library, when one is written
    std::string leftOut;                // why the materials asked for are not written, or empty
};

// Names the files to write. library is --mtl's file, for an output of "-"; materials says
// whether the model's materials are to be written. Refuses, with a message in *error, a file
// that is one of the files read (also through links) or a directory, and a library that would
// land on the output or on something that is not a regular file.
std::optional<OutputPlan> planOutput(const std::string& output, const std::string& library,
                                     bool materials, const std::vector<std::string>& read,
                                     std::string* error);

// Writes the output to the path it is given, and the library beside it under its planned
// name; false with a message in *error when it cannot.
using PlannedWrite = std::function<bool(const std::string& path, std::string* error)>;

// Writes as planned: the files are staged in a folder beside their destination and moved into place
// once complete, or go straight into a device, a pipe or standard output. Returns false with
// a message in *error that names the user's file when write or a file fails; nothing is moved
// into place then, and the folder is removed, also when the process is stopped.
bool writePlanned(const OutputPlan& plan, const PlannedWrite& write, std::string* error);

// Writes model with the library's writer as planned, in mode (ObjModeMaterial only with a
// planned library).
bool writeOutput(ObjModel* model, const OutputPlan& plan, unsigned mode, std::string* error);
