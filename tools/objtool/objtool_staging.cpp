#include "objtool_staging.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

StagingFolder::~StagingFolder() {
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool StagingFolder::create(const std::string& directory, const std::vector<std::string>& names,
                           std::string* error) {
    folder_ = makeRemovableFolder(directory + "/.objtool-XXXXXX", names, &removed_);
    if (folder_.empty()) {
        *error = "can't write in \"" + directory + "\": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string StagingFolder::file(const std::string& name) const {
    return folder_ + "/" + name;
}

bool StagingFolder::commit(const std::vector<std::pair<std::string, std::string>>& moves,
                           std::string* error) {
    for (const auto& [name, destination] : moves) {
        if (std::rename(file(name).c_str(), destination.c_str()) != 0) {
            *error = "can't move the written file into place as \"" + destination +
                     "\": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}
