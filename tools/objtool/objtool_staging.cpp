#include "objtool_staging.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// The folder that exit() must remove: the model library's writer ends the process when a
// write fails, and no destructor runs then. The caller's frame, which holds the folder,
// stays valid while the exit handlers run.
StagingFolder* activeFolder = nullptr;

} // namespace

void StagingFolder::discardActive() {
    StagingFolder* folder = activeFolder;
    if (folder != nullptr && folder->discard()) {
        std::fprintf(stderr, "objtool: \"%s\" was left as it was\n", folder->destination_.c_str());
    }
}

StagingFolder::~StagingFolder() {
    discard();
}

bool StagingFolder::create(const std::string& directory, const std::string& destination,
                           std::string* error) {
    std::string pattern = directory + "/.objtool-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        *error = "can't write in \"" + directory + "\": " + std::strerror(errno);
        return false;
    }
    static const bool registered = std::atexit(discardActive) == 0;
    (void)registered;
    folder_ = pattern;
    destination_ = destination;
    activeFolder = this;
    return true;
}

std::string StagingFolder::file(const std::string& name) const {
    return folder_ + "/" + name;
}

bool StagingFolder::commit(const std::vector<std::pair<std::string, std::string>>& moves,
                           std::string* error) {
    for (const auto& [name, destination] : moves) {
        if (std::filesystem::exists(file(name)) &&
            std::rename(file(name).c_str(), destination.c_str()) != 0) {
            *error = "can't move the written file into place as \"" + destination +
                     "\": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

bool StagingFolder::discard() {
    if (activeFolder == this) {
        activeFolder = nullptr;
    }
    std::error_code ignored;
    // Empty after a commit; otherwise it holds the files of a write that did not finish.
    const bool unfinished = !folder_.empty() && std::filesystem::remove_all(folder_, ignored) > 1;
    folder_.clear();
    return unfinished;
}
