// objtool convert: the options applied to a model in a fixed order, then the model written.
#pragma once

#include "gallery/glm.h"
#include "objtool_options.h"

#include <string>

// Applies the options that change the model, in the order of their fields, to model read from
// input. Returns false with a message in *error when they cannot be honoured for this model.
bool applyConvertOptions(ObjModel* model, const ConvertOptions& options, const std::string& input,
                         std::string* error);

// Applies options to model (read from input, as report says) and writes it to output ("-":
// standard output), then notes on standard error what the output does not carry. Returns
// false with a message in *error when the options cannot be honoured for this model or the
// output cannot be written as asked; the output is left as it was then.
bool convertModel(ObjModel* model, const ObjReadReport& report, const ConvertOptions& options,
                  const std::string& input, const std::string& output, std::string* error);
