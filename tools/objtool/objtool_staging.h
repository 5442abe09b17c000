// Files that appear whole or not at all: they are written into a fresh folder beside their
// destination under their final names, and moved into place only once all are complete.
#pragma once

#include "objtool_cleanup.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class StagingFolder {
public:
    StagingFolder() = default;
    // Removes the folder and whatever is still in it.
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    // Makes the folder in directory for files of these names; false with a message when it
    // cannot. Until the folder is destroyed, a process that is stopped removes it too.
    bool create(const std::string& directory, const std::vector<std::string>& names,
                std::string* error);
    // Where the file of this name is written.
    std::string file(const std::string& name) const;
    // Moves each (name, destination), in order; false with a message when a move fails.
    bool commit(const std::vector<std::pair<std::string, std::string>>& moves, std::string* error);

private:
    std::string folder_;
    std::optional<RemovedIfStopped> removed_;
};
