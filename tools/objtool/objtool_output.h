// Where convert writes: the output and, when materials are written, a material library named
// after the output beside it (out.obj, out.mtl). Neither may be a file the model was read
// from, and nothing else is ever written.
#pragma once

#include "gallery/glm.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct OutputPlan {
    std::string path;        // the output as given
    std::string directory;   // its folder, "." when it names none
    std::string name;        // its file name
    std::string libraryName; // the material library's file name; empty when none is written
    std::string library;     // its path, beside the output
    bool streamed = false;   // an existing device or pipe: written in place, not staged
};

// Names the files to write and refuses, with a message in *error, an output or library that
// is one of the files read (also through links), a directory, or a library that would land on
// the output or beside something that is not a regular file.
std::optional<OutputPlan> planOutput(const std::string& output, bool materials,
                                     const std::vector<std::string>& read, std::string* error);

// Writes the output (and beside it the library, when one is planned) to the path it is given;
// false with a message in *error when it cannot.
using PlannedWrite = std::function<bool(const std::string& path, std::string* error)>;

// Writes as planned: into a folder beside the output, moved into place once complete, or
// straight into a device or pipe. Returns false with a message in *error when write fails or
// the files cannot be moved into place; the folder is removed then, and also when the process
// ends during the write.
bool writePlanned(const OutputPlan& plan, const PlannedWrite& write, std::string* error);

// Writes model with the library's writer as planned: into a folder beside the output, moved
// into place once both files are complete. Returns false with a message in *error when they
// cannot be; a write that fails ends the process with the library's message, and the folder
// is removed then too.
bool writeOutput(ObjModel* model, const OutputPlan& plan, unsigned mode, std::string* error);
