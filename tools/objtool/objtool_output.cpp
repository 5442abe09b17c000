#include "objtool_output.h"

#include "objtool_staging.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The output's name with the extension ".mtl"; blanks become "_", since the reader takes the
// first word of the "mtllib" line.
std::string libraryNameFor(const std::filesystem::path& output) {
    std::string name = output.stem().string() + ".mtl";
    std::replace_if(
        name.begin(), name.end(), [](char c) { return std::strchr(" \t\r\n\v\f", c) != nullptr; },
        '_');
    return name;
}

// Refuses a destination that is a file read or a directory. *status is its status when it
// exists; *exists says whether it does.
bool checkDestination(const std::string& path, const std::vector<std::string>& read,
                      struct stat* status, bool* exists, std::string* error) {
    *exists = stat(path.c_str(), status) == 0;
    if (!*exists) {
        return true;
    }
    const bool isRead = std::any_of(read.begin(), read.end(), [status](const std::string& file) {
        struct stat readStatus {};
        return stat(file.c_str(), &readStatus) == 0 && sameFile(readStatus, *status);
    });
    if (isRead) {
        *error = "\"" + path + "\" is a file the model was read from; not writing over it";
        return false;
    }
    if (S_ISDIR(status->st_mode)) {
        *error = "\"" + path + "\" is a directory";
        return false;
    }
    return true;
}

} // namespace

std::optional<OutputPlan> planOutput(const std::string& output, bool materials,
                                     const std::vector<std::string>& read, std::string* error) {
    const std::filesystem::path path(output);
    OutputPlan plan;
    plan.path = output;
    plan.directory = path.has_parent_path() ? path.parent_path().string() : ".";
    plan.name = path.filename().string();

    struct stat status {};
    bool exists = false;
    if (!checkDestination(output, read, &status, &exists, error)) {
        return std::nullopt;
    }
    plan.streamed = exists && !S_ISREG(status.st_mode);
    if (!materials) {
        return plan;
    }
    if (plan.streamed) {
        *error = "\"" + output + "\" is not a regular file; a material library can't go beside it";
        return std::nullopt;
    }
    plan.libraryName = libraryNameFor(path);
    if (plan.libraryName == plan.name) {
        *error =
            "the material library \"" + plan.libraryName + "\" would overwrite the output file";
        return std::nullopt;
    }
    plan.library = (path.parent_path() / plan.libraryName).string();
    if (!checkDestination(plan.library, read, &status, &exists, error)) {
        return std::nullopt;
    }
    if (exists && !S_ISREG(status.st_mode)) {
        *error = "\"" + plan.library + "\" is not a regular file";
        return std::nullopt;
    }
    return plan;
}

bool writePlanned(const OutputPlan& plan, const PlannedWrite& write, std::string* error) {
    if (plan.streamed) {
        return write(plan.path, error);
    }
    StagingFolder staging;
    if (!staging.create(plan.directory, plan.path, error) ||
        !write(staging.file(plan.name), error)) {
        return false;
    }
    // The library first, so that the output never names a library that is not there yet.
    std::vector<std::pair<std::string, std::string>> moves;
    if (!plan.libraryName.empty()) {
        moves.emplace_back(plan.libraryName, plan.library);
    }
    moves.emplace_back(plan.name, plan.path);
    return staging.commit(moves, error);
}

bool writeOutput(ObjModel* model, const OutputPlan& plan, unsigned mode, std::string* error) {
    if (!plan.libraryName.empty()) {
        std::free(model->mtllib);
        model->mtllib = strdup(plan.libraryName.c_str());
    }
    // The writer puts the library beside the output; a failed write ends the process.
    return writePlanned(
        plan,
        [model, mode](const std::string& path, std::string*) {
            glmWriteOBJ(model, path.c_str(), mode);
            return true;
        },
        error);
}
