#include "objtool_output.h"

#include "objtool_staging.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The output's name with the extension ".mtl"; blanks become "_", so that the "mtllib" line
// names one file however a reader splits it.
std::string libraryNameFor(const std::filesystem::path& output) {
    std::string name = output.stem().string() + ".mtl";
    std::replace_if(
        name.begin(), name.end(), [](char c) { return std::strchr(" \t\r\n\v\f", c) != nullptr; },
        '_');
    return name;
}

// A file to write at path, after refusing a destination that is a file read or a directory.
std::optional<PlannedFile> planFile(const std::string& path, const std::vector<std::string>& read,
                                    std::string* error) {
    PlannedFile file{path, std::filesystem::path(path).filename().string(), path == "-"};
    if (file.name.empty()) {
        *error = "\"" + path + "\" names a folder, not a file";
        return std::nullopt;
    }
    struct stat status {};
    if (file.streamed || stat(path.c_str(), &status) != 0) {
        return file;
    }
    const bool isRead = std::any_of(read.begin(), read.end(), [&status](const std::string& name) {
        struct stat readStatus {};
        return stat(name.c_str(), &readStatus) == 0 && sameFile(readStatus, status);
    });
    if (isRead) {
        *error = "\"" + path + "\" is a file the model was read from; not writing over it";
        return std::nullopt;
    }
    if (S_ISDIR(status.st_mode)) {
        *error = "\"" + path + "\" is a directory";
        return std::nullopt;
    }
    file.streamed = !S_ISREG(status.st_mode);
    return file;
}

// A descriptor closed when the object ends, unless it is standard output.
struct Destination {
    int descriptor = -1;
    Destination() = default;
    ~Destination() {
        if (descriptor > STDERR_FILENO) {
            close(descriptor);
        }
    }
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;
};

// Opens where file's bytes go: standard output, the device or pipe itself, or a new file in
// the staging folder.
bool openDestination(const PlannedFile& file, const StagingFolder& staging,
                     Destination* destination, std::string* error) {
    if (file.path == "-") {
        destination->descriptor = STDOUT_FILENO;
    } else if (file.streamed) {
        destination->descriptor = open(file.path.c_str(), O_WRONLY | O_CLOEXEC);
    } else {
        destination->descriptor =
            open(staging.file(file.name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    if (destination->descriptor < 0) {
        *error = "can't write \"" + file.path + "\": " + std::strerror(errno);
        return false;
    }
    return true;
}

// A written file is complete only once it is closed: a network file system may report a
// failed write only then.
bool closeDestination(const PlannedFile& file, Destination* destination, std::string* error) {
    const int descriptor = std::exchange(destination->descriptor, -1);
    if (descriptor > STDERR_FILENO && close(descriptor) != 0) {
        *error = "can't write \"" + file.path + "\": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string shownAs(const PlannedFile& file) {
    return file.path == "-" ? "to standard output" : "\"" + file.path + "\"";
}

} // namespace

std::optional<OutputPlan> planOutput(const std::string& output, const std::string& library,
                                     bool materials, const std::vector<std::string>& read,
                                     std::string* error) {
    OutputPlan plan;
    std::optional<PlannedFile> file = planFile(output, read, error);
    if (!file) {
        return std::nullopt;
    }
    plan.output = *file;
    if (!materials) {
        return plan;
    }
    std::string libraryPath = library;
    if (output == "-" && library.empty()) {
        plan.leftOut = "standard output carries no materials; --mtl FILE writes them";
        return plan;
    }
    if (output == "-" && library == "-") {
        *error = "the material library can't go to standard output too";
        return std::nullopt;
    }
    if (output != "-") {
        if (plan.output.streamed) {
            plan.leftOut = "\"" + output + "\" is not a regular file; it carries no materials";
            return plan;
        }
        const std::filesystem::path path(output);
        libraryPath = (path.parent_path() / libraryNameFor(path)).string();
    }
    file = planFile(libraryPath, read, error);
    if (!file) {
        return std::nullopt;
    }
    if (file->name == plan.output.name) {
        *error = "the material library \"" + file->name + "\" would overwrite the output file";
        return std::nullopt;
    }
    if (file->streamed) {
        *error = "\"" + libraryPath + "\" is not a regular file";
        return std::nullopt;
    }
    plan.library = file;
    return plan;
}

bool writePlanned(const OutputPlan& plan, const PlannedWrite& write, std::string* error) {
    std::vector<const PlannedFile*> files = {&plan.output};
    if (plan.library) {
        files.push_back(&*plan.library);
    }
    // The staged files share a folder: the library goes beside the output, or the output
    // goes to standard output.
    std::vector<std::string> staged;
    std::string directory;
    for (const PlannedFile* file : files) {
        if (!file->streamed) {
            staged.push_back(file->name);
            const std::filesystem::path parent = std::filesystem::path(file->path).parent_path();
            directory = parent.empty() ? "." : parent.string();
        }
    }
    StagingFolder staging;
    if (!staged.empty() && !staging.create(directory, staged, error)) {
        return false;
    }
    std::vector<Destination> destinations(files.size());
    std::vector<PipedFile> piped;
    for (std::size_t i = 0; i < files.size(); i++) {
        if (!openDestination(*files[i], staging, &destinations[i], error)) {
            return false;
        }
        piped.push_back({files[i]->name, destinations[i].descriptor, shownAs(*files[i])});
    }
    const auto writeInFolder = [&](const std::string& folder, std::string* writeError) {
        return write(folder + "/" + plan.output.name, writeError);
    };
    if (!writeThroughPipes(&piped, writeInFolder, error)) {
        return false;
    }
    for (std::size_t i = 0; i < files.size(); i++) {
        if (!closeDestination(*files[i], &destinations[i], error)) {
            return false;
        }
    }
    // The library first, so that the output never names a library that is not there yet.
    std::vector<std::pair<std::string, std::string>> moves;
    for (std::size_t i = files.size(); i-- > 0;) {
        if (!files[i]->streamed && piped[i].arrived) {
            moves.emplace_back(files[i]->name, files[i]->path);
        }
    }
    return staging.commit(moves, error);
}

bool writeOutput(ObjModel* model, const OutputPlan& plan, unsigned mode, std::string* error) {
    if (plan.library) {
        std::free(model->mtllib);
        model->mtllib = strdup(plan.library->name.c_str());
    }
    // The writer puts the library beside the output, under the name the output gives it.
    return writePlanned(
        plan,
        [model, mode](const std::string& path, std::string*) {
            glmWriteOBJ(model, path.c_str(), mode);
            return true;
        },
        error);
}
