// Reading the model that a command works on: the reader's report beside the model, its
// warnings and failures worded for people (the user's file and the reason, without the
// reader's function names).
#pragma once

#include "gallery/glm.h"

#include <memory>
#include <string>
#include <vector>

struct ModelDeleter {
    void operator()(ObjModel* model) const { glmDestroyModel(model); }
};
using ModelPtr = std::unique_ptr<ObjModel, ModelDeleter>;

struct ModelReading {
    ModelPtr model; // null when the file could not be read
    ObjReadReport report;
};

// Reads the model at path, "-" for standard input (whose libraries are looked up in the
// current folder), with at most `threads` threads (0: as many as the reader takes). Prints the
// reading's warnings on standard error; a failure leaves the model null with the reason in
// *error.
ModelReading readModel(const std::string& path, unsigned threads, std::string* error);

// How messages name a file that may be "-": "\"model.obj\"", or "standard input".
std::string shownName(const std::string& path);

// The files the model was read from: the OBJ file, unless it came from standard input, and
// every material library it names, read or not.
std::vector<std::string> filesRead(const std::string& path, const ObjReadReport& report);

// The kinds of statement that an output does not carry: those the reader skipped in the OBJ
// file, and in its libraries when the materials are written.
std::vector<ObjSkippedStatements> droppedStatements(const ObjReadReport& report,
                                                    bool materialsWritten);

// "\"o\": 2 lines in model.obj"
std::string describeStatements(const ObjSkippedStatements& kind);

// A message of the model library without the function's name that it begins with
// ("glmFirstPass(): ", "glmReadMTL() warning: ") and without its closing full stop.
std::string withoutFunctionName(const std::string& message);
