// objtool convert: the options applied to a model in a fixed order, then the model written.
#pragma once

#include "gallery/glm.h"
#include "objtool_options.h"

#include <string>

// Applies options to model (read from input) and writes it to output. Returns false with a
// message in *error when the options cannot be honoured for this model; a file that cannot
// be written ends the process with the library's message and status 1.
bool convertModel(ObjModel* model, const ConvertOptions& options, const std::string& input,
                  const std::string& output, std::string* error);
