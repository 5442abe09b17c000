// Helpers for the OBJ library's tests: model files in a scratch folder, and runs in a child
// process for the messages and exit statuses of the exiting reader.
#pragma once

#include "gallery/glm.h"

#include <functional>
#include <memory>
#include <random>
#include <string>

// Writes text to the file name in this process's scratch folder; returns its path.
std::string writeScratchFile(const std::string& name, const std::string& text);

// Frees the model when it goes out of scope.
struct ModelDeleter {
    void operator()(ObjModel* model) const { glmDestroyModel(model); }
};
using ModelPtr = std::unique_ptr<ObjModel, ModelDeleter>;

// Writes "model.obj" (and "model.mtl" when mtl is not empty) and reads it with the
// non-exiting reader; *error gets the failure message, if any.
ModelPtr readModel(const std::string& obj, const std::string& mtl = "",
                   std::string* error = nullptr);

// What a child process printed and how it ended.
struct ChildRun {
    int exitStatus = -1; // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs body in a child process with standard output and error captured; the child exits
// with status 0 when body returns.
ChildRun runInChild(const std::function<void()>& body);

// Whether two reads gave the same model, array for array and record for record.
bool sameModels(const ObjModel* a, const ObjModel* b);

// A random OBJ text, mostly well formed, whose "mtllib" line names "model.mtl" with the
// materials red and blue.
std::string randomObj(std::mt19937& random);
