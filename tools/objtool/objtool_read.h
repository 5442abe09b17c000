// Reading the model that a command works on, with the reader's failures worded for people:
// the user's file and the reason, without the reader's function names.
#pragma once

#include "gallery/glm.h"

#include <memory>
#include <string>

struct ModelDeleter {
    void operator()(ObjModel* model) const { glmDestroyModel(model); }
};
using ModelPtr = std::unique_ptr<ObjModel, ModelDeleter>;

// The model read from path, or null with the reason in *error.
ModelPtr readModel(const std::string& path, std::string* error);

// A message of the model library without the function's name that it begins with
// ("glmFirstPass(): ", "glmReadOBJ() failed: ") and without its closing full stop.
std::string withoutFunctionName(const std::string& message);
